// The upgrade dialog: pick an installed system and run its upgrade command.
#pragma once

#include "ui/SetupDlg.h"

/// Lists the systems in the store, sorted, and upgrades the one picked.
class CUpgradeDlg : public CSetupDlg {
public:
    CUpgradeDlg(CWnd* owner, PlatformServices& os);

protected:
    BOOL OnInitDialog() override;  // icon, system list
    void OnOK() override;          // check, upgrade, completion dialog, close

private:
    CComboBox m_installedSystems;
};
