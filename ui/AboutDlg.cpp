// The About box.
#include "ui/AboutDlg.h"

#include "ui/resource.h"

CAboutDlg::CAboutDlg(CWnd* owner) : CDialog(IDD_ABOUTBOX, owner) {}
