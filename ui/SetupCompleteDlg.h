// The closing message of an install or an upgrade.
#pragma once

#include "ui/SetupDlg.h"

/// Says that setup has completed; OK, Cancel, Escape or the close box end it.
class CSetupCompleteDlg : public CSetupDlg {
public:
    CSetupCompleteDlg(CWnd* owner, PlatformServices& os);

protected:
    BOOL OnInitDialog() override;  // icon
};
