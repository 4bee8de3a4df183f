// The whole program from the first dialog: its layout, the radio buttons, Upgrade without a store,
// several operations in one run, and the exit code.
#include "tests/e2e/Checks.h"
#include "tests/e2e/Session.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using Strings = std::vector<std::string>;

constexpr int kInstall = 1012;
constexpr int kUpgrade = 1013;

}  // namespace

TEST(ChoiceDialog, OpensCentredWithInstallCheckedAndEndsWithExitCodeZero)
{
    Session session;
    Process& program = session.Start();
    HWND choice = session.WaitForChoice();

    ExpectDialogLayout(choice, 209, 132,
                       {
                           {IDOK, "Button", "OK", 54, 91, 50, 14, BS_TYPEMASK | WS_TABSTOP, BS_DEFPUSHBUTTON | WS_TABSTOP},
                           {IDCANCEL, "Button", "Cancel", 108, 91, 50, 14, BS_TYPEMASK | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
                           {kInstall, "Button", "Install", 84, 50, 34, 10, BS_TYPEMASK, BS_AUTORADIOBUTTON},
                           {kUpgrade, "Button", "Upgrade", 83, 64, 43, 10, BS_TYPEMASK | WS_TABSTOP, BS_AUTORADIOBUTTON},
                           {-1, "Static", "Please select one of the following options:", 28, 23, 134, 8},
                       });
    EXPECT_EQ(Style(choice) & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    ExpectCentredOver(choice, WorkArea());
    ExpectApplicationIcon(session, choice);
    EXPECT_EQ(FocusIn(choice), Control(choice, IDOK));
    EXPECT_TRUE(IsChecked(choice, kInstall));
    EXPECT_FALSE(IsChecked(choice, kUpgrade));

    // One group: choosing one clears the other.
    Click(choice, kUpgrade);
    EXPECT_FALSE(IsChecked(choice, kInstall));
    EXPECT_TRUE(IsChecked(choice, kUpgrade));
    Click(choice, kInstall);
    EXPECT_TRUE(IsChecked(choice, kInstall));
    EXPECT_FALSE(IsChecked(choice, kUpgrade));

    Press(choice, IDCANCEL);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_FALSE(Session::Exists(Session::kStore));
}

TEST(ChoiceDialog, UpgradeWithoutStoreShowsTheMessageAndKeepsTheChoice)
{
    Session session;
    Process& program = session.Start();
    HWND choice = session.WaitForChoice();

    Click(choice, kUpgrade);
    for (int attempt = 0; attempt < 2; ++attempt) {
        Press(choice, IDOK);
        const MessageBoxView box = session.WaitForMessage();
        ExpectMessage(box, "You don't have any systems installed to update.");
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), choice);
        EXPECT_FALSE(IsWindowEnabled(choice)) << "the choice dialog stays enabled under the message";
        Dismiss(box);

        WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
        EXPECT_FALSE(session.Shows(kUpgradeCaption));
        EXPECT_TRUE(IsWindow(choice));
        EXPECT_FALSE(IsChecked(choice, kInstall));
        EXPECT_TRUE(IsChecked(choice, kUpgrade));
    }

    // Escape is Cancel.
    Post(FocusIn(choice), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(ChoiceDialog, InstallThenUpgradeInOneRunFromADirectoryWithASpace)
{
    Session session(Session::kSpacedProgramDirectory);
    Process& program = session.Start();
    HWND choice = session.WaitForChoice();

    HWND install = OpenFromChoice(session, choice, kInstall, kInstallCaption);
    SubmitInstall(install, "WXYZ", "LT");
    ExpectCompletion(session, install);
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    EXPECT_EQ(ActiveIn(choice), choice);
    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");

    HWND upgrade = OpenFromChoice(session, choice, kUpgrade, kUpgradeCaption);
    HWND systems = Control(upgrade, 1016);
    EXPECT_EQ(ListEntries(systems), Strings{"wxyz-lt01"});
    Select(systems, "wxyz-lt01");
    Press(upgrade, IDOK);
    ExpectCompletion(session, upgrade);
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    EXPECT_TRUE(IsChecked(choice, kUpgrade));

    const std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].directory, session.ProgramDirectory())) << records[0].directory;
    // The upgrade command is named by its full path, which holds a blank here.
    EXPECT_TRUE(TestDrive::SameDirectory(records[1].program, session.ProgramDirectory() + "lt-UPGRADE")) << records[1].program;
    EXPECT_EQ(records[1].arguments, Strings{"wxyz-lt01"});
    EXPECT_TRUE(TestDrive::SameDirectory(records[1].directory, session.ProgramDirectory())) << records[1].directory;

    // The close box is Cancel.
    Post(choice, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}
