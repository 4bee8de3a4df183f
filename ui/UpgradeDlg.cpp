// The upgrade dialog.
#include "ui/UpgradeDlg.h"

#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "ui/SetupApp.h"
#include "ui/SetupCompleteDlg.h"
#include "ui/resource.h"

namespace {

const char kNoneSelected[] = "You have to select a system device.";

}  // namespace

CUpgradeDlg::CUpgradeDlg(CWnd* owner) : CDialog(IDD_UPGRADE, owner) {}

BOOL CUpgradeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_installedSystems.Attach(GetDlgItem(IDC_INSTALLED_SYSTEMS));
    SetApplicationIcon(*this);
    for (const std::string& name : ListInstalledSystems(GetSetupApp().Os(), kBaseDirectory))
        m_installedSystems.AddString(name);
    return TRUE;
}

void CUpgradeDlg::OnOK()
{
    CSetupApp& app = GetSetupApp();
    const std::string name = m_installedSystems.GetSelectedText();
    if (name.empty()) {
        app.Os().ShowMessage(kNoneSelected);
        return;
    }
    // After a failure the operator has read its message; claiming success would be false.
    if (app.UpgradeSystem(name, DeriveSystemType(name))) {
        CSetupCompleteDlg done(this);
        done.DoModal();
    }
    EndDialog(IDOK);
}
