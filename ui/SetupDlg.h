// The base of the program's dialogs: the services they work with, their help and their icon.
#pragma once

#include "ui/framework/Dialog.h"

#include <string>

class PlatformServices;

/// A dialog of the program. It works through the services it is given and, on the Help button or
/// F1, opens the help page beside the program or asks the help viewer for its template's topic.
class CSetupDlg : public CDialog {
public:
    CSetupDlg(UINT templateId, CWnd* owner, PlatformServices& os) : CDialog(templateId, owner), m_os(os) {}

protected:
    /// Opens HelpPagePath in the browser when it exists, else asks the help viewer for the topic
    /// 0x20000 + template id in HelpFilePath; shows "Failed to launch help." when neither starts.
    void OnHelp() override;

    PlatformServices& m_os;
};

/// The program's help page: its path with the last extension replaced by ".html".
std::string HelpPagePath(PlatformServices& os);
/// The program's help file for the help viewer: its path with the last extension replaced by
/// ".HLP" (appended when it has none).
std::string HelpFilePath(PlatformServices& os);

/// The application icon at the big or the small system icon size, shared (never destroyed).
HICON LoadApplicationIcon(bool big);
/// Sets the application icon as `window`'s big and small icon.
void SetApplicationIcon(const CWnd& window);
