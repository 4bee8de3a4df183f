// The application object's start-up routine.
#include "ui/SetupApp.h"

#include "setup/Invocation.h"
#include "ui/SetupChoiceDlg.h"
#include "ui/SetupCompleteDlg.h"
#include "ui/resource.h"

#include "Version.h"

CSetupApp::CSetupApp() : m_os(m_windows) {}

CSetupApp::CSetupApp(PlatformServices& os) : m_os(os) {}

BOOL CSetupApp::InitInstance()
{
    EnableControlContainer();
    Enable3dControls();
    Dialogs dialogs;
    dialogs.choice = [this](PlatformServices& os) {
        CSetupChoiceDlg choice(os);
        m_pMainWnd = &choice;
        choice.DoModal();
        m_pMainWnd = nullptr;
    };
    dialogs.completion = [](PlatformServices& os) {
        CSetupCompleteDlg done(nullptr, os);
        done.DoModal();
    };
    // An unattended run opens no window, not even the interpreter's console.
    m_windows.StartCommandsWithoutWindow(ParseArguments(m_os.CommandArguments()).quiet);
    m_exitCode = static_cast<int>(RunProgram(m_os, CORVANE_VERSION_TEXT, LoadText(IDP_SOCKETS_INIT_FAILED), dialogs));
    return FALSE;
}
