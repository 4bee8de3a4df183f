// The upgrade dialog.
#include "ui/UpgradeDlg.h"

#include "platform/PlatformServices.h"
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "ui/SetupCompleteDlg.h"
#include "ui/resource.h"

CUpgradeDlg::CUpgradeDlg(CWnd* owner, PlatformServices& os) : CSetupDlg(IDD_UPGRADE, owner, os) {}

BOOL CUpgradeDlg::OnInitDialog()
{
    CSetupDlg::OnInitDialog();
    m_installedSystems.Attach(GetDlgItem(IDC_INSTALLED_SYSTEMS));
    SetApplicationIcon(*this);
    for (const std::string& name : ListInstalledSystems(m_os, kBaseDirectory))
        m_installedSystems.AddString(name);
    return TRUE;
}

void CUpgradeDlg::OnOK()
{
    const std::string name = m_installedSystems.GetSelectedText();
    const SetupResult result = UpgradeSystem(m_os, name);
    // A refusal ran nothing: the dialog stays, for the operator to pick another system.
    if (result == SetupResult::Refused)
        return;
    // After a failure the operator has read its message; claiming success would be false.
    if (Completed(result)) {
        CSetupCompleteDlg done(this, m_os, result != SetupResult::Done);
        done.DoModal();
    }
    EndDialog(IDOK);
}
