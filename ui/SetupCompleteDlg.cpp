// The completion dialog.
#include "ui/SetupCompleteDlg.h"

#include "ui/SetupApp.h"
#include "ui/resource.h"

CSetupCompleteDlg::CSetupCompleteDlg(CWnd* owner) : CDialog(IDD_SETUP_COMPLETE, owner) {}

BOOL CSetupCompleteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetApplicationIcon(*this);
    return TRUE;
}
