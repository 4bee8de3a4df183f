// The choice dialog: opens the install or the upgrade dialog.
#include "ui/SetupChoiceDlg.h"

#include "platform/PlatformServices.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "ui/InstallDlg.h"
#include "ui/UpgradeDlg.h"
#include "ui/resource.h"

// The main window: it has no owner.
CSetupChoiceDlg::CSetupChoiceDlg(PlatformServices& os) : CSetupDlg(IDD_SETUP_CHOICE, nullptr, os) {}

BOOL CSetupChoiceDlg::OnInitDialog()
{
    CSetupDlg::OnInitDialog();
    m_install.Attach(GetDlgItem(IDC_INSTALL));
    CheckRadioButton(m_hWnd, IDC_INSTALL, IDC_UPGRADE, IDC_INSTALL);
    SetApplicationIcon(*this);
    return TRUE;
}

void CSetupChoiceDlg::OnOK()
{
    // The dialog stays up for the next system; only Cancel ends the program.
    if (m_install.GetCheck()) {
        CInstallDlg install(this, m_os);
        install.DoModal();
    } else if (PathExists(m_os, kBaseDirectory)) {
        CUpgradeDlg upgrade(this, m_os);
        upgrade.DoModal();
    } else {
        m_os.ShowMessage(msg::kNothingToUpdate);
    }
}
