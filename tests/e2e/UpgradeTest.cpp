// The upgrade dialog: an empty store or a file in its place, the sorted listing read afresh each
// time, the upgrade command with the picked name, and a failing command.
#include "tests/e2e/Checks.h"
#include "tests/e2e/Session.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using Strings = std::vector<std::string>;

constexpr int kUpgrade = 1013;
constexpr int kSystems = 1016;

HWND OpenUpgrade(Session& session, HWND choice)
{
    return OpenFromChoice(session, choice, kUpgrade, kUpgradeCaption);
}

}  // namespace

TEST(UpgradeDialog, EmptyStoreOrFileInItsPlaceOffersNothingToPick)
{
    Session session;
    Session::MakeDirectories(Session::kStore);
    session.Start();
    HWND choice = session.WaitForChoice();

    for (const char* store : {"an empty directory", "a file"}) {
        if (std::string(store) == "a file") {
            Session::Remove(Session::kStore);
            Session::WriteFile(Session::kStore, "not a directory\r\n");
        }
        HWND upgrade = OpenUpgrade(session, choice);
        ExpectDialogLayout(upgrade, 212, 134,
                           {
                               {IDOK, "Button", "OK", 55, 86, 50, 14, BS_TYPEMASK | WS_TABSTOP, BS_DEFPUSHBUTTON | WS_TABSTOP},
                               {IDCANCEL, "Button", "Cancel", 108, 86, 50, 14, BS_TYPEMASK, BS_PUSHBUTTON},
                               {-1, "Static", "Please select one of the systems installed to to upgrade.", 15, 28, 178, 11, WS_TABSTOP, 0},
                               {kSystems, "ComboBox", "", 61, 51, 90, 238, 0x3 | CBS_SORT, CBS_DROPDOWNLIST | CBS_SORT},
                           });
        EXPECT_EQ(Style(upgrade) & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(GetWindow(upgrade, GW_OWNER), choice);
        ExpectCentredOver(upgrade, WindowRect(choice));
        ExpectApplicationIcon(session, upgrade);
        EXPECT_EQ(FocusIn(upgrade), Control(upgrade, IDOK)) << store;
        EXPECT_FALSE(IsWindowEnabled(choice)) << "the choice dialog stays enabled under the upgrade dialog";
        EXPECT_EQ(ListEntries(Control(upgrade, kSystems)), Strings{}) << store;

        Press(upgrade, IDOK);
        const MessageBoxView box = session.WaitForMessage();
        ExpectMessage(box, "You have to select a system device.");
        Dismiss(box);
        EXPECT_TRUE(IsWindow(upgrade)) << store;

        Press(upgrade, IDCANCEL);
        WaitUntilGone(upgrade, "the upgrade dialog");
        WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    }
    EXPECT_TRUE(session.Records().empty());
}

TEST(UpgradeDialog, ListsTheStoreSortedAfreshAndUpgradesThePickedSystem)
{
    Session session;
    Session::MakeDirectories("C:\\kel\\wxyz-lt01");
    Session::WriteFile("C:\\kel\\wxyz-lt01\\sysname.dat", "wxyz-lt01");
    Session::MakeDirectories("C:\\kel\\abcd-wx02");
    Session::WriteFile("C:\\kel\\readme.txt", "");
    Session::WriteFile("C:\\kel\\old-notes.txt", "");
    session.Start();
    HWND choice = session.WaitForChoice();

    HWND upgrade = OpenUpgrade(session, choice);
    HWND systems = Control(upgrade, kSystems);
    // Every entry with a dash, files too, sorted.
    EXPECT_EQ(ListEntries(systems), (Strings{"abcd-wx02", "old-notes.txt", "wxyz-lt01"}));
    EXPECT_EQ(Send(systems, CB_GETCURSEL), CB_ERR) << "something is preselected";
    Select(systems, "wxyz-lt01");
    Press(upgrade, IDOK);
    ExpectCompletion(session, upgrade);
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    EXPECT_EQ(ActiveIn(choice), choice);
    EXPECT_TRUE(IsChecked(choice, kUpgrade));

    std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].program, session.ProgramDirectory() + "lt-UPGRADE")) << records[0].program;
    EXPECT_EQ(records[0].arguments, Strings{"wxyz-lt01"});
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].directory, session.ProgramDirectory())) << records[0].directory;

    // The next opening reads the store again.
    Session::Remove("C:\\kel\\old-notes.txt");
    Session::MakeDirectories("C:\\kel\\efgh-tr903");
    upgrade = OpenUpgrade(session, choice);
    EXPECT_EQ(ListEntries(Control(upgrade, kSystems)), (Strings{"abcd-wx02", "efgh-tr903", "wxyz-lt01"}));
    Press(upgrade, IDCANCEL);
    WaitUntilGone(upgrade, "the upgrade dialog");
    EXPECT_EQ(session.Records().size(), 1u) << "Cancel ran a command";

    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    Press(choice, IDCANCEL);
    EXPECT_EQ(session.Program().WaitForExit(), 0u);
}

TEST(UpgradeDialog, FailingCommandIsReportedAndNoCompletionFollows)
{
    Session session;
    Session::MakeDirectories("C:\\kel\\wxyz-lt01");
    session.SetCommandExit(4);
    session.Start();
    HWND choice = session.WaitForChoice();

    HWND upgrade = OpenUpgrade(session, choice);
    Select(Control(upgrade, kSystems), "wxyz-lt01");
    Press(upgrade, IDOK);
    const MessageBoxView box = session.WaitForMessage();
    ExpectMessage(box, "Setup command c:\\corvane-e2e\\prog\\lt-UPGRADE wxyz-lt01 failed with exit code 4.");
    Dismiss(box);
    WaitUntil([&] { return !IsWindow(upgrade) || session.Shows(kCompleteCaption); },
              "the upgrade dialog to close");
    EXPECT_FALSE(session.Shows(kCompleteCaption));
    EXPECT_FALSE(IsWindow(upgrade));
    EXPECT_EQ(session.Records().size(), 1u);
}
