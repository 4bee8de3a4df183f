// The About box.
#include "ui/AboutDlg.h"

#include "ui/resource.h"

CAboutDlg::CAboutDlg(CWnd* owner, PlatformServices& os) : CSetupDlg(IDD_ABOUTBOX, owner, os) {}
