// The closing message of an install or an upgrade.
#pragma once

#include "ui/framework/Dialog.h"

/// Says that setup has completed; OK, Cancel, Escape or the close box end it.
class CSetupCompleteDlg : public CDialog {
public:
    explicit CSetupCompleteDlg(CWnd* owner);

protected:
    BOOL OnInitDialog() override;  // icon
};
