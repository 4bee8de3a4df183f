// The dialog framework: results, ownership, placement, help and the system menu.
#include "tests/ui/UiTest.h"

#include "ui/InstallDlg.h"
#include "ui/SetupChoiceDlg.h"
#include "ui/resource.h"

#include <functional>

namespace {

// A dialog on a real template whose OK and data transfer a test decides.
class ScriptedDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::function<void(ScriptedDialog&)> onOK;
    bool transferSucceeds = true;

protected:
    void OnOK() override
    {
        if (onOK)
            onOK(*this);
        else
            CDialog::OnOK();
    }
    bool DoDataExchange(bool) override { return transferSucceeds; }
};

LONG CentreX(const RECT& r) { return (r.left + r.right) / 2; }
LONG CentreY(const RECT& r) { return (r.top + r.bottom) / 2; }

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

TEST_F(UiTest, MissingTemplateGivesMinusOneAndShowsNothing)
{
    CDialog missing(999, nullptr);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_TRUE(ThreadDialogs().empty());
}

TEST_F(UiTest, OkEndsWithOneAndEveryWayOfCancellingWithTwo)
{
    // Each way of ending the dialog, and the result it must give.
    const std::vector<std::pair<std::function<void(HWND)>, INT_PTR>> endings = {
        {[](HWND d) { Press(d, IDOK); }, IDOK},
        {[](HWND d) { Press(d, IDCANCEL); }, IDCANCEL},
        {[](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {[](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (size_t i = 0; i < endings.size(); ++i) {
        ScriptedDialog dialog(IDD_SETUP_COMPLETE, nullptr);
        INT_PTR result = 0;
        DialogDriver script;
        script.Then(On(kCompleteCaption, [&](HWND d) { endings[i].first(d); }));
        EXPECT_TRUE(script.Run([&] { result = dialog.DoModal(); })) << "ending " << i << ": " << script.Failure();
        EXPECT_EQ(endings[i].second, result) << "ending " << i;
        EXPECT_EQ(nullptr, dialog.m_hWnd);
    }
}

TEST_F(UiTest, OkKeepsTheDialogOpenWhenTheTransferFails)
{
    ScriptedDialog dialog(IDD_SETUP_COMPLETE, nullptr);
    dialog.transferSucceeds = false;
    int ticks = 0;
    INT_PTR result = 0;
    driver
        .Then(On(kCompleteCaption, [&](HWND d) { Press(d, IDOK); }))
        .Then([&] { return ++ticks > 5; })
        .Then([&] {
            HWND d = FindDialog(kCompleteCaption);
            EXPECT_NE(nullptr, d) << "OK closed the dialog although the transfer failed";
            if (d)
                Press(d, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { result = dialog.DoModal(); })) << driver.Failure();
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(UiTest, OwnerIsDisabledWhileAChildRunsAndActiveAgainAfter)
{
    ScriptedDialog owner(IDD_SETUP_CHOICE, nullptr);
    INT_PTR childResult = 0;
    owner.onOK = [&](ScriptedDialog& self) {
        ScriptedDialog child(IDD_SETUP_COMPLETE, &self);
        childResult = child.DoModal();
    };
    driver
        .Then(On(kChoiceCaption, [&](HWND d) { Press(d, IDOK); }))
        .Then(On(kCompleteCaption, [&](HWND child) {
            EXPECT_FALSE(IsWindowEnabled(owner.m_hWnd));
            EXPECT_EQ(owner.m_hWnd, GetWindow(child, GW_OWNER));
            Press(child, IDOK);
        }))
        .Then(Gone(kCompleteCaption))
        .Then([&] {
            EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
            EXPECT_EQ(owner.m_hWnd, GetActiveWindow());
            Press(owner.m_hWnd, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { owner.DoModal(); })) << driver.Failure();
    EXPECT_EQ(IDOK, childResult);
}

TEST_F(UiTest, DialogsAreCentredOverTheirOwnerAndKeptInsideTheWorkArea)
{
    const RECT work = WorkArea();
    ScriptedDialog owner(IDD_SETUP_CHOICE, nullptr);
    RECT alone{}, overOwner{}, ownerRect{}, nearEdge{};
    owner.onOK = [&](ScriptedDialog& self) {
        ScriptedDialog child(IDD_SETUP_COMPLETE, &self);
        child.DoModal();
    };
    const auto closeChildAndRecord = [&](RECT& into) {
        return On(kCompleteCaption, [&](HWND child) {
            into = WindowRect(child);
            Press(child, IDOK);
        });
    };
    driver
        .Then(On(kChoiceCaption, [&](HWND) {
            alone = WindowRect(owner.m_hWnd);
            SetWindowPos(owner.m_hWnd, nullptr, work.left + 200, work.top + 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            ownerRect = WindowRect(owner.m_hWnd);
            Press(owner.m_hWnd, IDOK);
        }))
        .Then(closeChildAndRecord(overOwner))
        .Then(Gone(kCompleteCaption))
        .Then([&] {
            // Centred over an owner this close to the corner the child would stick out.
            SetWindowPos(owner.m_hWnd, nullptr, work.right - 60, work.bottom - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            Press(owner.m_hWnd, IDOK);
        })
        .Then(closeChildAndRecord(nearEdge))
        .Then(Gone(kCompleteCaption))
        .Then([&] {
            Press(owner.m_hWnd, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { owner.DoModal(); })) << driver.Failure();

    EXPECT_NEAR(CentreX(work), CentreX(alone), 1);
    EXPECT_NEAR(CentreY(work), CentreY(alone), 1);
    EXPECT_NEAR(CentreX(ownerRect), CentreX(overOwner), 1);
    EXPECT_NEAR(CentreY(ownerRect), CentreY(overOwner), 1);
    EXPECT_TRUE(Inside(overOwner, work));
    EXPECT_TRUE(Inside(nearEdge, work)) << nearEdge.left << "," << nearEdge.top << " " << nearEdge.right << ","
                                        << nearEdge.bottom;
    EXPECT_GT(nearEdge.right - nearEdge.left, 0);
}

TEST_F(UiTest, TheInstallDialogOpensAtItsTemplatePositionOverItsOwner)
{
    ScriptedDialog owner(IDD_SETUP_CHOICE, nullptr);
    POINT ownerClient{0, 0};
    POINT installClient{0, 0};
    owner.onOK = [&](ScriptedDialog& self) {
        CInstallDlg dialog(&self, drive.Os());
        dialog.DoModal();
    };
    driver
        .Then(On(kChoiceCaption, [&](HWND) {
            SetWindowPos(owner.m_hWnd, nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            ClientToScreen(owner.m_hWnd, &ownerClient);
            Press(owner.m_hWnd, IDOK);
        }))
        .Then(On(kInstallCaption, [&](HWND d) {
            ClientToScreen(d, &installClient);
            EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_APPWINDOW);
            Press(d, IDCANCEL);
        }))
        .Then(Gone(kInstallCaption))
        .Then([&] {
            Press(owner.m_hWnd, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { owner.DoModal(); })) << driver.Failure();
    // The template position places the client area, as for every dialog with an owner.
    EXPECT_EQ(ownerClient.x, installClient.x);
    EXPECT_EQ(ownerClient.y, installClient.y);
}

TEST_F(UiTest, TheSystemMenuCarriesAboutAndOpensItWhateverTheLowBits)
{
    CInstallDlg install(nullptr, drive.Os());
    RECT installRect{}, aboutRect{};
    driver
        .Then(On(kInstallCaption, [&](HWND d) {
            SetWindowPos(d, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            HMENU menu = GetSystemMenu(d, FALSE);
            const int count = GetMenuItemCount(menu);
            EXPECT_EQ(IDM_ABOUTBOX, static_cast<int>(GetMenuItemID(menu, count - 1)));
            EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
            std::string text(64, '\0');
            text.resize(static_cast<size_t>(GetMenuStringA(menu, IDM_ABOUTBOX, &text[0], 64, MF_BYCOMMAND)));
            EXPECT_EQ("&About Corvane...", text);
            installRect = WindowRect(d);
            // The system sets its own flags in the low four bits of a menu command.
            PostMessageA(d, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
        }))
        .Then(On("About Corvane", [&](HWND about) {
            aboutRect = WindowRect(about);
            EXPECT_EQ(install.m_hWnd, GetWindow(about, GW_OWNER));
            EXPECT_EQ(0, SendMessageA(about, WM_GETICON, ICON_BIG, 0));
            Press(about, IDOK);
        }))
        .Then(Gone("About Corvane"))
        .Then([&] {
            Press(install.m_hWnd, IDCANCEL);
        });
    EXPECT_TRUE(driver.Run([&] { EXPECT_EQ(IDCANCEL, install.DoModal()); })) << driver.Failure();
    EXPECT_NEAR(CentreX(installRect), CentreX(aboutRect), 1);
    EXPECT_NEAR(CentreY(installRect), CentreY(aboutRect), 1);
}

TEST_F(UiTest, HelpButtonAndF1AskForTheDialogsTopicAndTheDialogReleasesHelpOnClosing)
{
    drive.WriteFile("C:\\corvane-test\\prog\\keldevicetypes.dat", "LT\n");
    CInstallDlg install(nullptr, drive.Os());
    HWND window = nullptr;
    driver
        .Then(On(kInstallCaption, [&](HWND d) {
            window = d;
            Press(window, ID_HELP);
        }))
        .Then([&] {
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.iCtrlId = IDC_CALL_LETTERS;
            info.hItemHandle = GetDlgItem(window, IDC_CALL_LETTERS);
            SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            drive.Os().helpStarts = false;
            Press(window, ID_HELP);
        })
        .Then([&] {
            if (drive.Os().messages.empty())
                return false;
            drive.Os().helpStarts = true;
            Press(window, IDCANCEL);
            return true;
        }, "the help failure message");
    EXPECT_TRUE(driver.Run([&] { install.DoModal(); })) << driver.Failure();

    const std::string helpFile = "C:\\corvane-test\\prog\\corvane.HLP";
    const std::vector<RecordingPlatform::HelpRequest>& help = drive.Os().help;
    ASSERT_EQ(4u, help.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ("topic", help[i].kind);
        EXPECT_EQ(helpFile, help[i].path);
        EXPECT_EQ(0x20066u, help[i].context);
    }
    EXPECT_EQ(std::vector<std::string>{"Failed to launch help."}, drive.Os().messages);
    EXPECT_EQ("close", help[3].kind);
    EXPECT_EQ(helpFile, help[3].path);
}

TEST_F(UiTest, WithTheHelpPageBesideTheProgramHelpAndF1OpenItInTheBrowser)
{
    drive.WriteFile("C:\\corvane-test\\prog\\corvane.html", "<html></html>");
    CSetupChoiceDlg choice(drive.Os());
    driver
        .Then(On(kChoiceCaption, [&](HWND d) { Press(d, ID_HELP); }))
        .Then(
            [&] {
                if (drive.Os().help.empty())
                    return false;
                drive.Os().helpStarts = false;
                HELPINFO info{};
                info.cbSize = sizeof info;
                info.iContextType = HELPINFO_WINDOW;
                SendMessageA(choice.m_hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                return true;
            },
            "the help page to be opened")
        .Then(Messages(drive.Os(), 1))
        .Then(On(kChoiceCaption, [&](HWND d) { Press(d, IDCANCEL); }));
    EXPECT_TRUE(driver.Run([&] { choice.DoModal(); })) << driver.Failure();

    const std::vector<RecordingPlatform::HelpRequest>& help = drive.Os().help;
    ASSERT_EQ(2u, help.size());
    for (const RecordingPlatform::HelpRequest& request : help) {
        EXPECT_EQ("document", request.kind);
        EXPECT_EQ("C:\\corvane-test\\prog\\corvane.html", request.path);
    }
    EXPECT_EQ(std::vector<std::string>{"Failed to launch help."}, drive.Os().messages);
}

TEST_F(UiTest, HelpFileIsTheProgramPathWithItsLastExtensionReplaced)
{
    drive.Os().programArgument = "C:\\Program Files\\kel.v2\\setup.tool.exe";
    EXPECT_EQ("C:\\Program Files\\kel.v2\\setup.tool.HLP", HelpFilePath(drive.Os()));
    drive.Os().programArgument = "C:\\kel.v2\\corvane";
    EXPECT_EQ("C:\\kel.v2\\corvane.HLP", HelpFilePath(drive.Os()));
}
