// The completion dialog.
#include "ui/SetupCompleteDlg.h"

#include "ui/resource.h"

CSetupCompleteDlg::CSetupCompleteDlg(CWnd* owner, PlatformServices& os)
    : CSetupDlg(IDD_SETUP_COMPLETE, owner, os)
{
}

BOOL CSetupCompleteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetApplicationIcon(*this);
    return TRUE;
}
