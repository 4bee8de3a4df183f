// Resource identifiers of the program; only #defines, because the resource compiler reads it too.
#pragma once

// The application icon.
#define IDR_MAINFRAME                   128

// Dialog templates.
#define IDD_ABOUTBOX                    100
#define IDD_INSTALL                     102
#define IDD_SETUP_CHOICE                131
#define IDD_UPGRADE                     132
#define IDD_SETUP_COMPLETE              133

// Controls.
#define IDC_CALL_LETTERS                1000
#define IDC_SYSTEM_TYPE                 1001
#define IDC_INSTALL                     1012
#define IDC_UPGRADE                     1013
#define IDC_INSTALLED_SYSTEMS           1016
#define IDC_COMPLETE_TEXT               1019
#define IDC_RESTART_TEXT                1020  // made by the completion dialog when a restart is due

// Strings and prompts.
#define IDS_ABOUTBOX                    101
#define IDP_SOCKETS_INIT_FAILED         103
#define IDS_RESTART_NEEDED              104

// System-menu commands: the low four bits stay clear, the system uses them.
#define IDM_ABOUTBOX                    0x0010

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
#ifndef ID_HELP
#define ID_HELP                         57670
#endif
