// The completion dialog.
#include "ui/SetupCompleteDlg.h"

#include "ui/resource.h"

CSetupCompleteDlg::CSetupCompleteDlg(CWnd* owner, PlatformServices& os, bool restartNeeded)
    : CSetupDlg(IDD_SETUP_COMPLETE, owner, os), m_restartNeeded(restartNeeded)
{
}

BOOL CSetupCompleteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetApplicationIcon(*this);
    // The template holds the line hidden, so the completion reads as ever when no restart is due.
    if (m_restartNeeded)
        ShowWindow(GetDlgItem(IDC_RESTART_TEXT), SW_SHOW);
    return TRUE;
}
