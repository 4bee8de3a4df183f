// The install dialog: layout, the About box, the type list from the catalogue or the defaults,
// refused input, a good install with its marker and command, a failing command, and help.
#include "tests/e2e/Checks.h"
#include "tests/e2e/Session.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using Strings = std::vector<std::string>;

constexpr int kHelp = 57670;
constexpr WPARAM kAboutCommand = 16;
// What the system posts for a press of F1; DefWindowProc turns it into WM_HELP.
constexpr UINT kKeyF1 = 0x004D;

const char kIncomplete[] = "You have to select both call letters and system devices.";
const char kUnsafe[] = "The call letters and the system type can't contain \\, /, % or a double quote.";

// Starts the program and opens the install dialog from the choice dialog.
HWND OpenInstall(Session& session, HWND& choice)
{
    session.Start();
    choice = session.WaitForChoice();
    return OpenFromChoice(session, choice, 1012, kInstallCaption);
}

// Presses OK, expects `message`, and checks that the dialog stays open with the fields as they were.
void ExpectRefused(Session& session, HWND install, const std::string& message)
{
    const std::string letters = Text(Control(install, kCallLetters));
    const std::string type = SelectedEntry(Control(install, kSystemType));
    Press(install, IDOK);
    const MessageBoxView box = session.WaitForMessage();
    ExpectMessage(box, message);
    Dismiss(box);
    EXPECT_TRUE(IsWindow(install)) << message;
    EXPECT_EQ(Text(Control(install, kCallLetters)), letters) << message;
    EXPECT_EQ(SelectedEntry(Control(install, kSystemType)), type) << message;
}

}  // namespace

TEST(InstallDialog, OpensAtItsPlaceWithTheSortedCatalogueAndTheAboutBox)
{
    Session session;
    // Any mix of blanks, tabs and line ends separates the types; case is kept; a long one whole.
    const std::string longType(300, 'Z');
    session.WriteCatalogue("WX lt\r\nPRM\tgnx   TR9\n\n" + longType + " A-B ");
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);

    ExpectDialogLayout(
        install, 230, 137,
        {
            {-1, "Static", "Enter your call letters and choose the type of system you have.", 13, 19, 199, 16},
            {-1, "Static", "Call Letters:", 47, 43, 52, 8, WS_TABSTOP, 0},
            {kCallLetters, "Edit", "", 106, 41, 71, 14, ES_AUTOHSCROLL | ES_MULTILINE | WS_TABSTOP, ES_AUTOHSCROLL | WS_TABSTOP},
            {-1, "Static", "System Type:", 46, 67, 44, 8, WS_TABSTOP, 0},
            {kSystemType, "ComboBox", "", 106, 65, 72, 85, 0x3 | CBS_SORT | WS_TABSTOP, CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP},
            {IDOK, "Button", "OK", 40, 102, 50, 14, BS_TYPEMASK, BS_DEFPUSHBUTTON},
            {IDCANCEL, "Button", "Cancel", 93, 102, 50, 14, BS_TYPEMASK, BS_PUSHBUTTON},
            {kHelp, "Button", "&Help", 147, 102, 50, 14, BS_TYPEMASK, BS_PUSHBUTTON},
        });
    EXPECT_EQ(Style(install) & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_NE(ExtendedStyle(install) & WS_EX_APPWINDOW, 0) << "no task-bar button of its own";
    // Not centred: at its template position (0, 0) in its owner's client area, which places its
    // own client area there.
    EXPECT_EQ(GetWindow(install, GW_OWNER), choice);
    const RECT placed = ClientOnScreen(install);
    const RECT ownerClient = ClientOnScreen(choice);
    EXPECT_EQ(placed.left, ownerClient.left);
    EXPECT_EQ(placed.top, ownerClient.top);
    EXPECT_EQ(FocusIn(install), Control(install, kCallLetters));
    ExpectApplicationIcon(session, install);
    EXPECT_FALSE(IsWindowEnabled(choice)) << "the choice dialog stays enabled under the install dialog";

    HWND types = Control(install, kSystemType);
    EXPECT_EQ(ListEntries(types), (Strings{"A-B", "gnx", "lt", "PRM", "TR9", "WX", longType}));
    EXPECT_EQ(Send(types, CB_GETCURSEL), CB_ERR) << "something is preselected";
    EXPECT_EQ(Text(Control(install, kCallLetters)), "");

    // The About box, from the system menu's command.
    Post(install, WM_SYSCOMMAND, kAboutCommand, 0);
    HWND about = session.WaitForDialog("About Corvane");
    ExpectDialogLayout(about, 235, 55,
                       {
                           {-1, "", "", 11, 17, 20, 20, SS_TYPEMASK, SS_ICON},
                           {-1, "Static", "Corvane Version 1.0", 40, 10, 119, 8, SS_NOPREFIX, SS_NOPREFIX},
                           {-1, "", "", 40, 25, 119, 8},
                           {IDOK, "Button", "OK", 178, 7, 50, 14, BS_TYPEMASK, BS_DEFPUSHBUTTON},
                       });
    EXPECT_EQ(GetWindow(about, GW_OWNER), install);
    ExpectCentredOver(about, WindowRect(install));
    ExpectApplicationIcon(session, about, false);
    EXPECT_FALSE(IsWindowEnabled(install)) << "the install dialog stays enabled under the About box";
    Press(about, IDOK);
    WaitUntilGone(about, "the About box");
    WaitUntil([&] { return IsWindowEnabled(install) != FALSE; }, "the install dialog to be enabled again");

    // The same box from the system menu itself, opened from the keyboard: the About entry is its
    // last, so one step up from the first entry reaches it.
    WaitForFocus(install);
    Post(install, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND menu = WaitForMenu(install);
    const int firstEntry = SelectedEntryTop(menu);
    Post(install, WM_KEYDOWN, VK_UP, 0);
    WaitUntil([&] { return SelectedEntryTop(menu) > firstEntry; }, "the menu's last entry to be selected");
    Post(install, WM_KEYDOWN, VK_RETURN, 0);
    about = session.WaitForDialog("About Corvane");
    Post(about, WM_COMMAND, IDCANCEL, 0);
    WaitUntilGone(about, "the About box");

    // Cancel installs nothing and gives the choice dialog back.
    WaitUntil([&] { return IsWindowEnabled(install) != FALSE; }, "the install dialog to be enabled again");
    Press(install, IDCANCEL);
    WaitUntilGone(install, "the install dialog");
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    EXPECT_TRUE(TopWindows(session.Program().Id(), "CorvaneSessionWatch", "Corvane", true).empty());
    EXPECT_EQ(ActiveIn(choice), choice);
    EXPECT_FALSE(Session::Exists(Session::kStore));
    EXPECT_TRUE(session.Records().empty());
}

TEST(InstallDialog, RefusesMissingOrUnsafeInputAndTakesTheLettersAsTyped)
{
    Session session;
    session.WriteCatalogue("LT WX A/B\r\n");
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);
    HWND types = Control(install, kSystemType);

    ExpectRefused(session, install, kIncomplete);
    SetText(install, kCallLetters, "WXYZ");
    ExpectRefused(session, install, kIncomplete);
    SetText(install, kCallLetters, "");
    Select(types, "LT");
    ExpectRefused(session, install, kIncomplete);

    SetText(install, kCallLetters, "WX\\YZ");
    ExpectRefused(session, install, kUnsafe);
    SetText(install, kCallLetters, "WX%PATH%");
    ExpectRefused(session, install, kUnsafe);
    SetText(install, kCallLetters, "WXYZ");
    Select(types, "A/B");
    ExpectRefused(session, install, kUnsafe);
    EXPECT_FALSE(Session::Exists(Session::kStore));
    EXPECT_TRUE(session.Records().empty());

    // Blanks around the letters are kept: they become part of the name.
    SubmitInstall(install, " Wx ", "LT");
    ExpectCompletion(session, install);
    EXPECT_EQ(Session::ReadFile("C:\\kel\\ wx -lt01\\sysname.dat"), " wx -lt01");
    const std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\ wx -lt01", " wx -lt01"}));
}

TEST(InstallDialog, InstallsMarksRunsTheCommandAndShowsCompletion)
{
    Session session;
    session.WriteCatalogue("lt WX\r\n");
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);

    SubmitInstall(install, "WXYZ", "lt");
    ExpectCompletion(session, install);
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    EXPECT_EQ(ActiveIn(choice), choice);

    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 1u);
    // The type reaches the command as the catalogue spells it.
    EXPECT_EQ(records[0].program, "KELSETUP-lt");
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].directory, session.ProgramDirectory())) << records[0].directory;

    // A second install of the same station and type takes the next number; the dialog opens
    // afresh, with the letters empty and nothing selected.
    install = OpenFromChoice(session, choice, 1012, kInstallCaption);
    EXPECT_EQ(Text(Control(install, kCallLetters)), "");
    EXPECT_EQ(SelectedEntry(Control(install, kSystemType)), "");
    SubmitInstall(install, "wxyz", "lt");
    ExpectCompletion(session, install);
    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt02\\sysname.dat"), "wxyz-lt02");
    records = session.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].arguments, (Strings{"C:\\kel\\wxyz-lt02", "wxyz-lt02"}));

    Press(session.WaitForChoice(), IDCANCEL);
    EXPECT_EQ(session.Program().WaitForExit(), 0u);
}

TEST(InstallDialog, MissingCatalogueWarnsFirstThenOffersTheDefaults)
{
    Session session;
    session.RemoveCatalogue();
    session.Start();
    HWND choice = session.WaitForChoice();
    Press(choice, IDOK);

    const MessageBoxView box = session.WaitForMessage();
    ExpectMessage(box, "The file keldevicetypes.dat won't open.  Using default list of devices");
    EXPECT_FALSE(session.Shows(kInstallCaption)) << "the install dialog shows before the warning";
    Dismiss(box);

    HWND install = session.WaitForDialog(kInstallCaption);
    EXPECT_EQ(ListEntries(Control(install, kSystemType)), (Strings{"GNX", "LT", "PRM", "TR9", "WX"}));
}

TEST(InstallDialog, FailingCommandIsReportedAndNoCompletionFollows)
{
    Session session;
    session.SetCommandExit(3);
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);
    SubmitInstall(install, "WXYZ", "LT");

    const MessageBoxView box = session.WaitForMessage();
    ExpectMessage(box, "Setup command KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01 failed with exit code 3.");
    Dismiss(box);
    // The install dialog closes as after a success, but without the completion dialog.
    WaitUntil([&] { return !IsWindow(install) || session.Shows(kCompleteCaption); },
              "the install dialog to close");
    EXPECT_FALSE(session.Shows(kCompleteCaption));
    EXPECT_FALSE(IsWindow(install));
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    // What was made stays: the command may have done part of its work.
    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    EXPECT_EQ(session.Records().size(), 1u);
}

// The list's entry is read whole (its length shows in the message: 7 + 4 + 1 + 5000 + 3), and a
// name that long is refused before anything is made, the dialog kept open.
TEST(InstallDialog, ATypeLongerThanAnyPathIsReadWholeAndRefusedAsTooLong)
{
    Session session;
    const std::string type(5000, 'Q');
    session.WriteCatalogue("LT " + type + "\r\n");
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);
    SetText(install, kCallLetters, "WXYZ");
    Select(Control(install, kSystemType), type);
    ExpectRefused(session, install,
                  "The call letters and the system type are too long for Windows: with a three-digit number the "
                  "system directory would have 5015 characters and its setup file's path 5027, where Windows takes "
                  "247 and 259.");
    EXPECT_FALSE(Session::Exists(Session::kStore));
    EXPECT_TRUE(session.Records().empty());
    Press(install, IDCANCEL);
    WaitUntilGone(install, "the install dialog");
}

TEST(InstallDialog, EveryWindowGetsItsAnswersWhileTheCommandRuns)
{
    // The command announces a changed environment to every top-level window and waits for all
    // the answers, then asks the install dialog for its caption: a launcher that stopped
    // answering while it waited for the command would wait for ever.
    Session session;
    session.SetCommandAsks(kInstallCaption);
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);
    SubmitInstall(install, "WXYZ", "LT");
    ExpectCompletion(session, install);
    EXPECT_EQ(session.Records().size(), 1u);
}

TEST(InstallDialog, KeysAndClicksWhileTheCommandRunsChangeNothing)
{
    Session session;
    session.SetCommandDelay(4000);
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);
    HWND letters = Control(install, kCallLetters);
    SubmitInstall(install, "WXYZ", "LT");
    WaitUntil([&] { return session.Records().size() == 1; }, "the install command to start");

    // Typing, Escape, clicks on Cancel and the close box, and OK on the choice dialog below.
    Post(letters, WM_CHAR, 'Q', 0);
    Post(letters, WM_KEYDOWN, VK_ESCAPE, 0);
    HWND cancel = Control(install, IDCANCEL);
    Post(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Post(cancel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Press(install, IDCANCEL);
    Post(install, WM_SYSCOMMAND, SC_CLOSE, 0);
    Post(install, WM_CLOSE, 0, 0);
    Press(choice, IDOK);
    // What tools send instead of clicking: a button's click posted and sent, the command sent, and
    // what the system makes of F1 and the menu key.
    for (HWND dialog : {install, choice}) {
        Post(Control(dialog, IDOK), BM_CLICK);
        Send(Control(dialog, IDOK), BM_CLICK);
        Send(dialog, WM_COMMAND, IDOK);
        Post(dialog, kKeyF1);
    }
    Post(letters, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(letters), MAKELPARAM(-1, -1));
    // Sent straight to the edit box, the request reaches no dialog at all.
    Send(letters, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(letters), MAKELPARAM(-1, -1));
    EXPECT_FALSE(IsWindowEnabled(install));
    // Nothing that was asked for opens: no second install dialog, no message, no menu.
    EXPECT_EQ(TopWindows(session.Program().Id(), "#32770", kInstallCaption).size(), 1u);
    EXPECT_EQ(FindMessageBox(session.Program().Id()).window, nullptr);
    EXPECT_TRUE(TopWindows(session.Program().Id(), "#32768", "").empty()) << "a menu opened";
    // What holds a log-off up lasts as long as the command.
    EXPECT_EQ(TopWindows(session.Program().Id(), "CorvaneSessionWatch", "Corvane", true).size(), 1u);
    // The dialog still answers while the command runs, and still shows what was entered.
    EXPECT_EQ(Text(letters), "WXYZ");
    EXPECT_TRUE(IsWindow(install));

    ExpectCompletion(session, install);
    WaitUntil([&] { return IsWindowEnabled(choice) != FALSE; }, "the choice dialog to be enabled again");
    EXPECT_FALSE(session.Shows(kInstallCaption)) << "a second install dialog opened";
    EXPECT_EQ(session.Records().size(), 1u);
    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    EXPECT_FALSE(Session::Exists("C:\\kel\\wxyz-lt02")) << "a second system was claimed";
}

TEST(InstallDialog, HelpButtonAndF1AskTheHelpViewerForTheProgramsHelpFile)
{
    Session session;
    HWND choice = nullptr;
    HWND install = OpenInstall(session, choice);
    const DWORD program = session.Program().Id();

    // Wine's viewer starts and says it can't find the help file; the program itself says nothing.
    DWORD viewer = 0;
    for (int request = 0; request < 2; ++request) {
        if (request == 0)
            Press(install, kHelp);
        else
            Post(WaitForFocus(install), kKeyF1, 0, 0);
        const MessageBoxView box = WaitForMessageBox(0);
        GetWindowThreadProcessId(box.window, &viewer);
        EXPECT_NE(viewer, program) << "the program reports: " << box.text;
        EXPECT_NE(box.text.find("'C:\\corvane-e2e\\prog\\corvane.HLP'"), std::string::npos) << box.text;
        Post(box.window, WM_COMMAND, IDNO, 0);
        WaitUntilGone(box.window, "the help viewer's message");
        EXPECT_TRUE(IsWindow(install));
    }

    // Once the dialog has closed (telling the viewer it needs no more help) no viewer is left.
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, viewer);
    ASSERT_NE(process, nullptr);
    Press(install, IDCANCEL);
    WaitUntilGone(install, "the install dialog");
    const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process, 1);
    CloseHandle(process);
    EXPECT_TRUE(ended) << "the help viewer still runs after the install dialog closed";
    EXPECT_EQ(FindMessageBox(program).window, nullptr);
}
