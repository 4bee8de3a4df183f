// The program's dialogs and start-up, worked through their windows on a test drive.
#include "tests/ui/UiTest.h"

#include "platform/win32/Win32Platform.h"
#include "setup/Messages.h"
#include "ui/AboutDlg.h"
#include "ui/InstallDlg.h"
#include "ui/SetupChoiceDlg.h"
#include "ui/SetupCompleteDlg.h"
#include "ui/UpgradeDlg.h"
#include "ui/resource.h"

#include <map>
#include <thread>

namespace {

const char kBothNeeded[] = "You have to select both call letters and system devices.";
const char kNoneSelected[] = "You have to select a system device.";
const char kNothingToUpdate[] = "You don't have any systems installed to update.";
const char kCatalogue[] = "C:\\corvane-test\\prog\\keldevicetypes.dat";


// A last step that closes every completion dialog that appears, noting that one did, and keeps
// watching until the dialog under test has ended.
DialogDriver::Step CloseCompletionDialogs(bool& seen)
{
    return [&seen] {
        if (HWND done = FindDialog(kCompleteCaption)) {
            seen = true;
            Press(done, IDOK);
        }
        return false;
    };
}

}  // namespace

TEST_F(UiTest, InstallDialogListsTheCatalogueSortedWithNothingChosen)
{
    drive.WriteFile(kCatalogue, "wx LT\nprm Gnx\n");
    CInstallDlg install(nullptr, drive.Os());
    driver.Then(On(kInstallCaption, [](HWND d) {
        EXPECT_EQ((std::vector<std::string>{"Gnx", "LT", "prm", "wx"}), ListEntries(GetDlgItem(d, IDC_SYSTEM_TYPE)));
        EXPECT_EQ(CB_ERR, SendDlgItemMessageA(d, IDC_SYSTEM_TYPE, CB_GETCURSEL, 0, 0));
        EXPECT_EQ("", Text(Control(d, IDC_CALL_LETTERS)));
        EXPECT_EQ(GetDlgItem(d, IDC_CALL_LETTERS), GetFocus());
        EXPECT_NE(0, SendMessageA(d, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(0, SendMessageA(d, WM_QUERYDRAGICON, 0, 0));
        Press(d, IDCANCEL);
    }));
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDCANCEL, install.DoModal()); })) << driver.Failure();
    EXPECT_TRUE(drive.Os().messages.empty());
    EXPECT_FALSE(drive.Exists("C:\\kel"));
}

TEST_F(UiTest, InstallDialogWithoutCatalogueWarnsBeforeItAppearsAndOffersTheDefaults)
{
    bool visibleAtMessage = true;
    driver.Then(On(kInstallCaption, [&](HWND d) {
        EXPECT_EQ((std::vector<std::string>{"GNX", "LT", "PRM", "TR9", "WX"}), ListEntries(GetDlgItem(d, IDC_SYSTEM_TYPE)));
        Press(d, IDCANCEL);
    }));
    // The recording services can't show a box, so the catalogue message is checked for having been
    // given while the dialog was not yet on screen.
    struct Watch : RecordingPlatform {
        Watch(PlatformServices& real, bool& visible) : RecordingPlatform(real), m_visible(visible) {}
        void ShowMessage(const std::string& text) override
        {
            m_visible = FindDialog(kInstallCaption) != nullptr;
            RecordingPlatform::ShowMessage(text);
        }
        bool& m_visible;
    } watch(drive.Os(), visibleAtMessage);
    CInstallDlg install(nullptr, watch);
    EXPECT_TRUE(driver.Run([&] { install.DoModal(); })) << driver.Failure();
    EXPECT_EQ(std::vector<std::string>{msg::kCatalogueMissing}, watch.messages);
    EXPECT_FALSE(visibleAtMessage);
}

TEST_F(UiTest, InstallDialogRefusesMissingOrUnsafeInputAndKeepsTheFields)
{
    drive.WriteFile(kCatalogue, "LT WX\n");
    drive.AddCommand("KELSETUP-LT");
    CInstallDlg install(nullptr, drive.Os());
    HWND d = nullptr;
    RecordingPlatform& os = drive.Os();
    const auto fieldsAre = [&](const std::string& letters, const std::string& type) {
        EXPECT_EQ(letters, Text(Control(d, IDC_CALL_LETTERS)));
        HWND combo = GetDlgItem(d, IDC_SYSTEM_TYPE);
        const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        EXPECT_EQ(type, selected == CB_ERR ? "" : ListEntries(combo)[static_cast<size_t>(selected)]);
        EXPECT_EQ(d, FindDialog(kInstallCaption));
    };
    driver
        .Then(On(kInstallCaption, [&](HWND found) {
            d = found;
            Press(d, IDOK);  // nothing entered
        }))
        .Then(Messages(os, 1))
        .Then([&] {
            fieldsAre("", "");
            SetDlgItemTextA(d, IDC_CALL_LETTERS, "WXYZ");
            Press(d, IDOK);  // no type
        })
        .Then(Messages(os, 2))
        .Then([&] {
            fieldsAre("WXYZ", "");
            SetDlgItemTextA(d, IDC_CALL_LETTERS, "");
            Select(GetDlgItem(d, IDC_SYSTEM_TYPE), "LT");
            Press(d, IDOK);  // no call letters
        })
        .Then(Messages(os, 3))
        .Then([&] {
            fieldsAre("", "LT");
            SetDlgItemTextA(d, IDC_CALL_LETTERS, "..\\WX%Z");
            Press(d, IDOK);  // a backslash and a percent sign
        })
        .Then(Messages(os, 4))
        .Then([&] {
            fieldsAre("..\\WX%Z", "LT");
            SetDlgItemTextA(d, IDC_CALL_LETTERS, "W/XYZ");
            Press(d, IDOK);
        })
        .Then(Messages(os, 5))
        .Then([&] {
            fieldsAre("W/XYZ", "LT");
            Press(d, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDCANCEL, install.DoModal()); })) << driver.Failure();
    EXPECT_EQ((std::vector<std::string>{kBothNeeded, kBothNeeded, kBothNeeded, msg::kUnsafeInput, msg::kUnsafeInput}),
              os.messages);
    EXPECT_TRUE(os.commands.empty());
    EXPECT_FALSE(drive.Exists("C:\\kel"));
}

TEST_F(UiTest, InstallRunsTheCommandThenTheCompletionDialogThenCloses)
{
    drive.WriteFile(kCatalogue, "LT WX\n");
    drive.AddCommand("KELSETUP-LT");
    CInstallDlg install(nullptr, drive.Os());
    driver
        .Then(On(kInstallCaption, [](HWND d) { SubmitInstall(d, "WXYZ", "LT"); }))
        .Then(On(kCompleteCaption, [&](HWND done) {
            EXPECT_EQ("Kelmor Setup has Completed Succesfully.", Text(Control(done, IDC_COMPLETE_TEXT)));
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(done, IDC_RESTART_TEXT)));
            EXPECT_EQ(install.m_hWnd, GetWindow(done, GW_OWNER));
            EXPECT_NE(0, SendMessageA(done, WM_GETICON, ICON_SMALL, 0));
            Press(done, IDOK);
        }));
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDOK, install.DoModal()); })) << driver.Failure();
    EXPECT_TRUE(drive.Os().messages.empty());
    ASSERT_EQ(1u, drive.Records().size());
    EXPECT_EQ((std::vector<std::string>{"C:\\kel\\wxyz-lt01", "wxyz-lt01"}), drive.Records()[0].arguments);
}

// A setup command that did its work but for a restart of Windows (3010) or that has started one
// (1641) completes as any other, and the completion says below its own line what is left to do.
TEST_F(UiTest, AnInstallThatNeedsARestartCompletesAndSaysSo)
{
    drive.WriteFile(kCatalogue, "LT\n");
    drive.AddCommand("KELSETUP-LT");
    for (const int status : {3010, 1641}) {
        drive.SetCommandExit(status);
        CInstallDlg install(nullptr, drive.Os());
        DialogDriver restart;
        restart.Then(On(kInstallCaption, [](HWND d) { SubmitInstall(d, "WXYZ", "LT"); }))
            .Then(On(kCompleteCaption, [](HWND done) {
                EXPECT_EQ("Kelmor Setup has Completed Succesfully.", Text(Control(done, IDC_COMPLETE_TEXT)));
                EXPECT_TRUE(IsWindowVisible(Control(done, IDC_RESTART_TEXT)));
                EXPECT_EQ("Windows must restart to finish the setup.", Text(Control(done, IDC_RESTART_TEXT)));
                Press(done, IDOK);
            }));
        EXPECT_TRUE(restart.Run([&] { EXPECT_EQ(IDOK, install.DoModal()); })) << status << restart.Failure();
    }
    EXPECT_TRUE(drive.Os().messages.empty());
    EXPECT_EQ(2u, drive.Records().size());
}

TEST_F(UiTest, AFailedInstallClosesWithoutTheCompletionDialog)
{
    drive.WriteFile(kCatalogue, "LT\n");
    drive.AddCommand("KELSETUP-LT");
    drive.SetCommandExit(3);
    CInstallDlg install(nullptr, drive.Os());
    bool completionSeen = false;
    driver
        .Then(On(kInstallCaption, [](HWND d) { SubmitInstall(d, "WXYZ", "LT"); }))
        .Then(CloseCompletionDialogs(completionSeen));
    INT_PTR result = 0;
    driver.Run([&] { result = install.DoModal(); }, 8000);
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(completionSeen);
    ASSERT_EQ(1u, drive.Os().messages.size());
    EXPECT_NE(std::string::npos, drive.Os().messages[0].find("exit code 3")) << drive.Os().messages[0];
}

TEST_F(UiTest, UpgradeDialogListsTheStoreSortedAndUpgradesThePickedSystem)
{
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.MakeDirectories("C:\\kel\\abcd-wx02");
    drive.WriteFile("C:\\kel\\old-notes.txt", "x");
    drive.WriteFile("C:\\kel\\%temp%-lt01", "x");
    drive.WriteFile("C:\\kel\\readme.txt", "x");
    drive.AddCommand("lt-UPGRADE");
    CUpgradeDlg upgrade(nullptr, drive.Os());
    driver
        .Then(On(kUpgradeCaption, [](HWND d) {
            EXPECT_EQ((std::vector<std::string>{"%temp%-lt01", "abcd-wx02", "old-notes.txt", "wxyz-lt01"}),
                      ListEntries(GetDlgItem(d, IDC_INSTALLED_SYSTEMS)));
            EXPECT_EQ(CB_ERR, SendDlgItemMessageA(d, IDC_INSTALLED_SYSTEMS, CB_GETCURSEL, 0, 0));
            EXPECT_EQ(GetDlgItem(d, IDOK), GetFocus());
            Press(d, IDOK);
        }))
        .Then(Messages(drive.Os(), 1))
        // A name that can't go into a command is refused, and the dialog stays for another pick.
        .Then(On(kUpgradeCaption, [](HWND d) {
            Select(GetDlgItem(d, IDC_INSTALLED_SYSTEMS), "%temp%-lt01");
            Press(d, IDOK);
        }))
        .Then(Messages(drive.Os(), 2))
        .Then(On(kUpgradeCaption, [](HWND d) {
            Select(GetDlgItem(d, IDC_INSTALLED_SYSTEMS), "wxyz-lt01");
            Press(d, IDOK);
        }))
        .Then(On(kCompleteCaption, [](HWND done) { Press(done, IDOK); }));
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDOK, upgrade.DoModal()); })) << driver.Failure();
    EXPECT_EQ((std::vector<std::string>{kNoneSelected, "The system name %temp%-lt01 can't be used in a setup command."}),
              drive.Os().messages);
    ASSERT_EQ(1u, drive.Records().size());
    EXPECT_EQ(std::vector<std::string>{"wxyz-lt01"}, drive.Records()[0].arguments);
}

// The dialogs hold any text, not only the code page's: a name planted under C:\kel is listed as it
// is, and picked it is refused; call letters typed in another script are refused, not turned into
// look-alikes. (Run where the code page is 1252, as the dialog tests are.)
TEST_F(UiTest, DialogsShowAndTakeTextTheCodePageCantHoldAndRefuseIt)
{
    ASSERT_EQ(1252u, TestDrive::CodePageNumber());
    const std::string planted = "x\xEF\xBC\x82&pwn&\xEF\xBC\x82-lt01";
    const std::string cyrillic = "\xD0\x96\xD0\x96\xD0\x96";
    drive.MakeDirectories("C:\\kel\\" + planted);
    drive.WriteFile(kCatalogue, "LT WX\n");
    drive.AddCommand("KELSETUP-LT");
    drive.AddCommand("lt-UPGRADE");
    CUpgradeDlg upgrade(nullptr, drive.Os());
    driver
        .Then(On(kUpgradeCaption, [&](HWND d) {
            EXPECT_EQ(std::vector<std::string>{planted}, ListEntries(GetDlgItem(d, IDC_INSTALLED_SYSTEMS)));
            Select(GetDlgItem(d, IDC_INSTALLED_SYSTEMS), planted);
            Press(d, IDOK);
        }))
        .Then(Messages(drive.Os(), 1))
        .Then(On(kUpgradeCaption, [](HWND d) { Press(d, IDCANCEL); }));
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDCANCEL, upgrade.DoModal()); })) << driver.Failure();

    CInstallDlg install(nullptr, drive.Os());
    DialogDriver typing;
    typing
        .Then(On(kInstallCaption, [&](HWND d) { SubmitInstall(d, cyrillic, "LT"); }))
        .Then(Messages(drive.Os(), 2))
        .Then(On(kInstallCaption, [&](HWND d) {
            EXPECT_EQ(cyrillic, Text(Control(d, IDC_CALL_LETTERS)));
            Press(d, IDCANCEL);
        }));
    EXPECT_TRUE(typing.Run([&] { EXPECT_EQ(IDCANCEL, install.DoModal()); })) << typing.Failure();
    EXPECT_EQ((std::vector<std::string>{"The system name " + planted + " can't be used in a setup command.",
                                        "The call letters " + cyrillic + " can't be written in this PC's code page."}),
              drive.Os().messages);
    EXPECT_TRUE(drive.Records().empty());
    EXPECT_EQ(std::vector<std::string>{planted}, drive.Entries("C:\\kel"));
}

// A failure nobody expected, out of memory say, is said like any other and ends the run with its
// own exit code, from the dialogs and from the command line; the directory the install had
// claimed is gone again, and no setup command ran.
TEST_F(UiTest, AnUnexpectedFailureIsSaidAndEndsWithSevenLeavingNothingClaimed)
{
    drive.WriteFile(kCatalogue, "LT WX\n");
    drive.AddCommand("KELSETUP-LT");
    drive.Os().writeFault = RecordingPlatform::WriteFault::Throws;
    const std::string said = "Corvane stopped on an unexpected failure (std::bad_alloc). What this run had made and "
                             "not yet handed to a setup command was removed.";
    driver.Then(On(kChoiceCaption, [](HWND d) { Press(d, IDOK); }))
        .Then(On(kInstallCaption, [](HWND d) { SubmitInstall(d, "WXYZ", "LT"); }));
    int exitCode = -1;
    EXPECT_TRUE(driver.Run([&] { exitCode = RunApplication(); })) << driver.Failure();
    EXPECT_EQ(7, exitCode);
    EXPECT_EQ(std::vector<std::string>{said}, drive.Os().messages);
    EXPECT_EQ(std::vector<std::string>{}, drive.Entries("C:\\kel"));
    EXPECT_EQ(nullptr, FindDialog(kChoiceCaption));

    drive.Os().messages.clear();
    drive.Os().arguments = {"/install", "WXYZ", "LT", "/quiet", "/log", "C:\\corvane-test\\run.log"};
    EXPECT_EQ(7, RunApplication());
    EXPECT_TRUE(drive.Os().messages.empty());
    const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
    EXPECT_NE(log.find("] message, not shown (quiet): " + said + "\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("] exit code 7\r\n"), std::string::npos) << log;
    EXPECT_EQ(std::vector<std::string>{}, drive.Entries("C:\\kel"));
    EXPECT_TRUE(drive.Records().empty());
}

TEST_F(UiTest, AFailedUpgradeClosesWithoutTheCompletionDialog)
{
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.AddCommand("lt-UPGRADE");
    drive.SetCommandExit(2);
    CUpgradeDlg upgrade(nullptr, drive.Os());
    bool completionSeen = false;
    driver
        .Then(On(kUpgradeCaption, [](HWND d) {
            Select(GetDlgItem(d, IDC_INSTALLED_SYSTEMS), "wxyz-lt01");
            Press(d, IDOK);
        }))
        .Then(CloseCompletionDialogs(completionSeen));
    INT_PTR result = 0;
    driver.Run([&] { result = upgrade.DoModal(); }, 8000);
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(completionSeen);
    EXPECT_EQ(1u, drive.Os().messages.size());
}

TEST_F(UiTest, ChoiceDialogOpensInstallOrUpgradeAndStaysUntilCancelled)
{
    drive.WriteFile(kCatalogue, "LT\n");
    CSetupChoiceDlg choice(drive.Os());
    HWND d = nullptr;
    driver
        .Then(On(kChoiceCaption, [&](HWND found) {
            d = found;
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_INSTALL));
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_UPGRADE));
            EXPECT_EQ(GetDlgItem(d, IDOK), GetFocus());
            Press(d, IDOK);
        }))
        .Then(On(kInstallCaption, [&](HWND install) {
            EXPECT_FALSE(IsWindowEnabled(d));
            Press(install, IDCANCEL);
        }))
        .Then(Gone(kInstallCaption))
        .Then([&] {
            // Upgrade with no store: the message, and the choice stays as the operator left it.
            Click(d, IDC_UPGRADE);
            Press(d, IDOK);
        })
        .Then(Messages(drive.Os(), 1))
        .Then([&] {
            EXPECT_EQ(d, FindDialog(kChoiceCaption));
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_INSTALL));
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_UPGRADE));
            drive.MakeDirectories("C:\\kel");
            Press(d, IDOK);
        })
        .Then(On(kUpgradeCaption, [](HWND upgrade) { Press(upgrade, IDCANCEL); }))
        .Then(Gone(kUpgradeCaption))
        .Then([&] {
            Press(d, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDCANCEL, choice.DoModal()); })) << driver.Failure();
    EXPECT_EQ(std::vector<std::string>{kNothingToUpdate}, drive.Os().messages);
}

namespace {

// What a screen reader and the keyboard meet in each dialog: the text that names each edit box and
// list (the static text just before it), the order Tab walks, and where the focus starts.
struct Reading {
    std::vector<std::pair<int, std::string>> named;  // each input's id and the label before it
    std::vector<int> tabs;                            // from the focus, once round
};

Reading Read(HWND dialog)
{
    Reading reading;
    std::string label;
    for (HWND child : Children(dialog)) {
        const std::string kind = ClassName(child);
        if (kind == "Edit" || kind == "ComboBox")
            reading.named.emplace_back(GetDlgCtrlID(child), label);
        label = kind == "Static" ? Text(child) : std::string();
    }
    HWND first = GetFocus();
    HWND item = first;
    do {
        reading.tabs.push_back(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(dialog, item, FALSE);
    } while (item && item != first && reading.tabs.size() < 20);
    return reading;
}

}  // namespace

TEST_F(UiTest, EveryInputFollowsItsLabelAndTabAndFocusGoAsDesigned)
{
    using Named = std::vector<std::pair<int, std::string>>;
    drive.WriteFile(kCatalogue, "LT\n");
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    std::map<std::string, Reading> seen;
    const auto read = [&seen](CDialog& dialog, const char* caption) {
        DialogDriver reader;
        reader.Then(On(caption, [&seen, caption](HWND d) {
            seen[caption] = Read(d);
            Press(d, IDCANCEL);
        }));
        EXPECT_TRUE(reader.Run([&] { dialog.DoModal(); })) << reader.Failure();
    };
    CInstallDlg install(nullptr, drive.Os());
    read(install, kInstallCaption);
    CUpgradeDlg upgrade(nullptr, drive.Os());
    read(upgrade, kUpgradeCaption);
    CSetupChoiceDlg choice(drive.Os());
    read(choice, kChoiceCaption);
    CSetupCompleteDlg done(nullptr, drive.Os());
    read(done, kCompleteCaption);
    CAboutDlg about(nullptr, drive.Os());
    read(about, "About Corvane");

    EXPECT_EQ((Named{{IDC_CALL_LETTERS, "Call Letters:"}, {IDC_SYSTEM_TYPE, "System Type:"}}),
              seen[kInstallCaption].named);
    EXPECT_EQ((std::vector<int>{IDC_CALL_LETTERS, IDC_SYSTEM_TYPE, IDOK, IDCANCEL, ID_HELP}), seen[kInstallCaption].tabs);
    EXPECT_EQ((Named{{IDC_INSTALLED_SYSTEMS, "Please select one of the systems installed to to upgrade."}}),
              seen[kUpgradeCaption].named);
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL, IDC_INSTALLED_SYSTEMS}), seen[kUpgradeCaption].tabs);
    // The radio buttons are no tab stops of their own; Tab reaches the checked one, as in every
    // group of automatic radio buttons, and the arrows move between them.
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL, IDC_INSTALL}), seen[kChoiceCaption].tabs);
    EXPECT_EQ(std::vector<int>{IDOK}, seen[kCompleteCaption].tabs);
    EXPECT_EQ(std::vector<int>{IDOK}, seen["About Corvane"].tabs);
    for (const char* caption : {kChoiceCaption, kCompleteCaption, "About Corvane"})
        EXPECT_TRUE(seen[caption].named.empty()) << caption;
}

TEST_F(UiTest, WithoutTheSocketLibraryTheProgramOnlySaysSoAndExitsWithZero)
{
    drive.Os().socketsStart = false;
    bool dialogSeen = false;
    driver.Then([&] {
        for (HWND d : ThreadDialogs()) {
            dialogSeen = true;
            EndDialog(d, IDCANCEL);
        }
        return false;
    });
    int exitCode = -1;
    driver.Run([&] { exitCode = RunApplication(); }, 5000);
    EXPECT_EQ(0, exitCode);
    EXPECT_FALSE(dialogSeen);
    EXPECT_EQ(std::vector<std::string>{"Windows sockets initialization failed."}, drive.Os().messages);
    // A failed start-up has nothing to release.
    EXPECT_EQ(1, drive.Os().socketStarts);
    EXPECT_EQ(0, drive.Os().socketStops);
    EXPECT_TRUE(drive.Os().commands.empty());

    // Unattended, the same start-up failure ends the run with 5, said in the log only.
    drive.Os().messages.clear();
    drive.Os().arguments = {"/install", "WXYZ", "LT", "/quiet", "/log", "C:\\corvane-test\\run.log"};
    EXPECT_EQ(5, RunApplication());
    EXPECT_TRUE(drive.Os().messages.empty());
    const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
    EXPECT_NE(log.find("] message, not shown (quiet): Windows sockets initialization failed.\r\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find("] exit code 5\r\n"), std::string::npos) << log;
    EXPECT_FALSE(drive.Exists("C:\\kel"));
}

TEST_F(UiTest, ARelativeLogIsMadeFullWhereTheRunStartedAndHoldsAMistakesReason)
{
    ASSERT_TRUE(drive.ChangeDirectory("C:\\corvane-test"));
    drive.Os().arguments = {"/instal", "x", "/quiet", "/log", "run.log"};
    EXPECT_EQ(1, RunApplication());
    EXPECT_TRUE(drive.Os().messages.empty());
    // Moved elsewhere, the run still wrote to the file named where it started.
    ASSERT_TRUE(drive.ChangeDirectory("C:\\"));
    const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
    EXPECT_NE(log.find("] mistake on the command line: Corvane doesn't know the argument /instal.\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("] exit code 1\r\n"), std::string::npos) << log;
    // Nothing but a mistake's usage: the socket library is not even tried.
    EXPECT_EQ(0, drive.Os().socketStarts);
}

TEST_F(UiTest, StartUpRunsTheChoiceDialogAsMainWindowAndExitsWithZero)
{
    HWND mainWindow = nullptr;
    driver.Then(On(kChoiceCaption, [&](HWND d) {
        mainWindow = app.m_pMainWnd ? app.m_pMainWnd->m_hWnd : nullptr;
        EXPECT_EQ(d, mainWindow);
        Press(d, IDCANCEL);
    }));
    int exitCode = -1;
    EXPECT_TRUE(driver.Run([&] { exitCode = RunApplication(); })) << driver.Failure();
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_TRUE(drive.Os().messages.empty());
    EXPECT_EQ(1, drive.Os().socketStarts);
    EXPECT_EQ(1, drive.Os().socketStops);
}

namespace {

// The requests a plain window of the program's got: it relies on nothing but the wait.
int g_requests = 0;

LRESULT CALLBACK CountRequests(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_HELP || message == WM_CONTEXTMENU) {
        ++g_requests;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The wait for a command holds the program's windows: nothing sent to them by another thread or
// program (UI automation) reaches them, and whatever the operator typed or clicked meanwhile is
// dropped from the queue; the program's own messages stay, and each window is itself again after.
TEST_F(UiTest, NothingSentOrQueuedWhileACommandRunsReachesTheWindows)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CountRequests;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CorvaneTestTarget";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  100, nullptr, nullptr, windowClass.hInstance, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, button);
    g_requests = 0;
    Win32Platform os;
    drive.AddCommand("probe");
    drive.SetCommandDelay(2000);
    std::thread automation([window, button] {
        Sleep(700);  // the command runs by now
        HELPINFO help{};
        help.cbSize = sizeof help;
        SendMessageW(window, WM_COMMAND, IDOK, 0);
        SendMessageW(button, BM_CLICK, 0, 0);
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        SendMessageW(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    // Whatever the operator typed or clicked while the command ran is in the queue when it ends.
    PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_RETURN, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_CHAR, '\r', 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_LBUTTONDOWN, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_NCLBUTTONDOWN, HTCLOSE, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    EXPECT_EQ(0, os.RunCommand(CommandRun{"probe", TestDrive::kProgramDirectory}));
    automation.join();
    EXPECT_EQ(0, g_requests);
    EXPECT_EQ(1u, drive.Records().size());
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, PM_REMOVE));
    // Messages of the program's own stay.
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
    // After the command the window is as it was: enabled, and answering requests itself.
    EXPECT_TRUE(IsWindowEnabled(window));
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1, g_requests);
    DestroyWindow(window);
}

TEST(MessageBoxOwner, IsNoneBeforeTheChoiceDialogAndTheChoiceDialogWhileItIsOpen)
{
    TestDrive drive;
    const std::string title = Win32Platform().ApplicationTitle();
    struct Box {
        bool seen = false;
        HWND owner = nullptr;
        std::string text;
    };
    const auto closeBox = [&title](Box& box) {
        return On(title, [&box](HWND found) {
            box.seen = true;
            box.owner = GetWindow(found, GW_OWNER);
            box.text = Text(Control(found, 0xFFFF));
            Press(found, IDOK);
        });
    };

    // Real message boxes, so that their owner is the system's answer; the test program's own
    // arguments are not the launcher's.
    Win32Platform real(&MainWindowHandle);
    RecordingPlatform shown(real);
    shown.showMessages = true;
    Box beforeStart;
    {
        shown.socketsStart = false;
        CSetupApp app(shown);
        DialogDriver driver;
        driver.Then(closeBox(beforeStart));
        EXPECT_TRUE(driver.Run([] { RunApplication(); })) << driver.Failure();
    }
    EXPECT_TRUE(beforeStart.seen);
    EXPECT_EQ(nullptr, beforeStart.owner);
    EXPECT_EQ("Windows sockets initialization failed.", beforeStart.text);

    Box whileOpen;
    HWND choice = nullptr;
    {
        shown.socketsStart = true;
        CSetupApp app(shown);
        DialogDriver driver;
        driver
            .Then(On(kChoiceCaption, [&](HWND d) {
                choice = d;
                Click(d, IDC_UPGRADE);
                Press(d, IDOK);
            }))
            .Then(closeBox(whileOpen))
            .Then(Gone(title))
            .Then([&] {
                Press(choice, IDCANCEL);
            });
        EXPECT_TRUE(driver.Run([] { EXPECT_EQ(0, RunApplication()); })) << driver.Failure();
    }
    EXPECT_TRUE(whileOpen.seen);
    EXPECT_EQ(choice, whileOpen.owner);
    EXPECT_EQ(kNothingToUpdate, whileOpen.text);
}
