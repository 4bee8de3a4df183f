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
    PressKey(choice, VK_ESCAPE);
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

TEST(ChoiceDialog, InstallAboutAndUpgradeWithTheKeyboardAlone)
{
    Session session;
    Process& program = session.Start();
    HWND choice = session.WaitForChoice();

    // Enter on OK with Install checked; the call letters have the focus.
    PressKey(choice, VK_RETURN);
    HWND install = session.WaitForDialog(kInstallCaption);
    TypeText(install, "WXYZ");
    WaitUntil([&] { return Text(Control(install, kCallLetters)) == "WXYZ"; }, "the typed call letters");
    HWND types = Control(install, kSystemType);
    MoveFocusTo(install, types);
    for (int presses = 0; SelectedEntry(types) != "LT" && presses < 10; ++presses) {
        const std::string before = SelectedEntry(types);
        PressKey(install, VK_DOWN);
        WaitUntil([&] { return SelectedEntry(types) != before; }, "the arrow to pick the next type");
    }
    ASSERT_EQ(SelectedEntry(types), "LT");

    // Alt+Space opens the window menu on its first entry; the up arrow goes round to the last,
    // "&About Corvane...", and Enter picks it (Wine's menu has an "About Wine" of its own, so the
    // mnemonic is no way to it here). Enter closes the box.
    PressKey(install, VK_SPACE, true);
    HWND menu = WaitForMenu(install);
    const int firstEntry = SelectedEntryTop(menu);
    PressKey(install, VK_UP);
    WaitUntil([&] { return SelectedEntryTop(menu) > firstEntry; }, "the menu's last entry to be selected");
    PressKey(install, VK_RETURN);
    HWND about = session.WaitForDialog("About Corvane");
    PressKey(about, VK_RETURN);
    WaitUntilGone(about, "the About box");

    WaitUntil([&] { return FocusIn(install) == types; }, "the focus back on the type");
    PressKey(install, VK_RETURN);
    HWND done = session.WaitForDialog(kCompleteCaption);
    PressKey(done, VK_RETURN);
    WaitUntilGone(install, "the install dialog");

    // Tab to the checked radio button, the down arrow checks Upgrade, Enter is OK.
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE && FocusIn(choice) != nullptr; }, "the choice dialog again");
    MoveFocusTo(choice, Control(choice, kInstall));
    PressKey(choice, VK_DOWN);
    WaitUntil([&] { return IsChecked(choice, kUpgrade); }, "the arrow to check Upgrade");
    PressKey(choice, VK_RETURN);
    HWND upgrade = session.WaitForDialog(kUpgradeCaption);
    HWND systems = Control(upgrade, 1016);
    MoveFocusTo(upgrade, systems);
    PressKey(upgrade, VK_DOWN);
    WaitUntil([&] { return SelectedEntry(systems) == "wxyz-lt01"; }, "the arrow to pick the system");
    PressKey(upgrade, VK_RETURN);
    done = session.WaitForDialog(kCompleteCaption);
    PressKey(done, VK_RETURN);
    WaitUntilGone(upgrade, "the upgrade dialog");

    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE && FocusIn(choice) != nullptr; }, "the choice dialog again");
    PressKey(choice, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(), 0u);
    const std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_EQ(records[1].arguments, Strings{"wxyz-lt01"});
}
