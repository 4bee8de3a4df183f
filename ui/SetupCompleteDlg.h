// The closing message of an install or an upgrade.
#pragma once

#include "ui/SetupDlg.h"

/// Says that setup has completed, and with `restartNeeded` on a line of its own below that Windows
/// must restart to finish it; OK, Cancel, Escape or the close box end it.
class CSetupCompleteDlg : public CSetupDlg {
public:
    CSetupCompleteDlg(CWnd* owner, PlatformServices& os, bool restartNeeded = false);

protected:
    BOOL OnInitDialog() override;  // icon, restart line

private:
    bool m_restartNeeded;
};
