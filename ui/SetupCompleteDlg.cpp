// The completion dialog.
#include "ui/SetupCompleteDlg.h"

#include "ui/framework/App.h"
#include "ui/resource.h"
#include "unicode/Wide.h"

CSetupCompleteDlg::CSetupCompleteDlg(CWnd* owner, PlatformServices& os, bool restartNeeded)
    : CSetupDlg(IDD_SETUP_COMPLETE, owner, os), m_restartNeeded(restartNeeded)
{
}

BOOL CSetupCompleteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetApplicationIcon(*this);
    // The line is made only when a restart is due, so that otherwise the dialog is its template
    // alone, as it always was. It stands under the completion text, in the dialog's font.
    if (m_restartNeeded) {
        RECT place{37, 62, 37 + 180, 62 + 9};
        MapDialogRect(m_hWnd, &place);
        HWND line = CreateWindowExW(0, L"STATIC", Wide(CWinApp::LoadText(IDS_RESTART_NEEDED)).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RESTART_TEXT)),
                                    GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(line, WM_SETFONT, static_cast<WPARAM>(Send(WM_GETFONT)), FALSE);
    }
    return TRUE;
}
