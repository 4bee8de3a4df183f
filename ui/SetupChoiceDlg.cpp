// The choice dialog: opens the install or the upgrade dialog.
#include "ui/SetupChoiceDlg.h"

#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "ui/InstallDlg.h"
#include "ui/SetupApp.h"
#include "ui/UpgradeDlg.h"
#include "ui/resource.h"

namespace {

const char kNothingToUpdate[] = "You don't have any systems installed to update.";

}  // namespace

CSetupChoiceDlg::CSetupChoiceDlg(CWnd* owner) : CDialog(IDD_SETUP_CHOICE, owner) {}

BOOL CSetupChoiceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_install.Attach(GetDlgItem(IDC_INSTALL));
    CheckRadioButton(m_hWnd, IDC_INSTALL, IDC_UPGRADE, IDC_INSTALL);
    SetApplicationIcon(*this);
    return TRUE;
}

void CSetupChoiceDlg::OnOK()
{
    // The dialog stays up for the next system; only Cancel ends the program.
    if (m_install.GetCheck()) {
        CInstallDlg install(this);
        install.DoModal();
    } else if (PathExists(GetSetupApp().Os(), kBaseDirectory)) {
        CUpgradeDlg upgrade(this);
        upgrade.DoModal();
    } else {
        GetSetupApp().Os().ShowMessage(kNothingToUpdate);
    }
}
