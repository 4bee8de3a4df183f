// The About box, opened from the install dialog's system menu.
#pragma once

#include "ui/SetupDlg.h"

/// The program's name and version; OK or Cancel close it.
class CAboutDlg : public CSetupDlg {
public:
    CAboutDlg(CWnd* owner, PlatformServices& os);
};
