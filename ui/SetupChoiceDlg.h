// The first dialog and main window: install a new system or upgrade an installed one.
#pragma once

#include "ui/SetupDlg.h"

/// Asks Install or Upgrade and opens the matching dialog on each OK; stays open until Cancel.
class CSetupChoiceDlg : public CSetupDlg {
public:
    explicit CSetupChoiceDlg(PlatformServices& os);

protected:
    BOOL OnInitDialog() override;  // Install checked, icon
    void OnOK() override;          // install or upgrade dialog, or the no-store message; never closes

private:
    CButton m_install;
};
