// The About box, opened from the install dialog's system menu.
#pragma once

#include "ui/framework/Dialog.h"

/// The program's name and version; OK or Cancel close it.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* owner);
};
