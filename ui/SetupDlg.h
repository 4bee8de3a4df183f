// The base of the program's dialogs: the services they work with, their help and their icon.
#pragma once

#include "ui/framework/Dialog.h"

#include <string>

class PlatformServices;

/// A dialog of the program. It works through the services it is given and asks for the help topic
/// of its own template on the Help button or F1.
class CSetupDlg : public CDialog {
public:
    CSetupDlg(UINT templateId, CWnd* owner, PlatformServices& os) : CDialog(templateId, owner), m_os(os) {}

protected:
    /// Asks the help viewer for the topic 0x20000 + template id; shows "Failed to launch help."
    /// when the viewer can't be started.
    void OnHelp() override;

    PlatformServices& m_os;
};

/// The program's help file: its path with the last extension replaced by ".HLP" (appended when it
/// has none).
std::string HelpFilePath(PlatformServices& os);

/// The application icon at the big or the small system icon size, shared (never destroyed).
HICON LoadApplicationIcon(bool big);
/// Sets the application icon as `window`'s big and small icon.
void SetApplicationIcon(const CWnd& window);
