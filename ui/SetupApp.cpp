// The application object's start-up routine.
#include "ui/SetupApp.h"

#include "setup/Invocation.h"
#include "setup/SetupLog.h"
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
    const std::vector<std::string> arguments = m_os.CommandArguments();
    const Invocation invocation = ParseArguments(arguments);
    // An unattended run opens no window, not even the interpreter's console.
    m_windows.StartCommandsWithoutWindow(invocation.quiet);
    // Made full once, before the setup command's directory is made current, so that every line
    // goes to the one file the operator named.
    LoggingPlatform logged(m_os, FullPath(invocation.logPath, m_os.CurrentDirectory()), invocation.quiet);
    if (!NoteRunStart(logged, CORVANE_VERSION_TEXT, arguments, invocation.logPath)) {
        m_exitCode = static_cast<int>(ExitCode::Usage);
        return FALSE;
    }
    const ExitCode code = Run(logged, invocation);
    NoteExitCode(logged, code);
    m_exitCode = static_cast<int>(code);
    return FALSE;
}

ExitCode CSetupApp::Run(LoggingPlatform& os, const Invocation& invocation)
{
    if (!NeedsSockets(invocation.action))
        return RunUnattended(os, invocation);
    const bool dialogs = invocation.action == Invocation::Action::Dialogs;
    if (!os.StartSockets()) {
        os.ShowMessage(LoadText(IDP_SOCKETS_INIT_FAILED));
        // The dialogs always end with 0, as the program always did.
        return dialogs ? ExitCode::Done : ExitCode::NoSockets;
    }
    ExitCode code = ExitCode::Done;
    if (dialogs) {
        CSetupChoiceDlg choice(os);
        m_pMainWnd = &choice;
        choice.DoModal();
        m_pMainWnd = nullptr;
    } else {
        code = RunUnattended(os, invocation);
        if (code == ExitCode::Done && !invocation.quiet && SetsUp(invocation.action)) {
            CSetupCompleteDlg done(nullptr, os);
            done.DoModal();
        }
    }
    os.StopSockets();
    return code;
}
