// The upgrade dialog: pick an installed system and run its upgrade command.
#pragma once

#include "ui/framework/Dialog.h"

/// Lists the systems in the store, sorted, and upgrades the one picked.
class CUpgradeDlg : public CDialog {
public:
    explicit CUpgradeDlg(CWnd* owner);

protected:
    BOOL OnInitDialog() override;  // icon, system list
    void OnOK() override;          // check, upgrade, completion dialog, close

private:
    CComboBox m_installedSystems;
};
