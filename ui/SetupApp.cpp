// The application object's start-up routine.
#include "ui/SetupApp.h"

#include "platform/Format.h"
#include "setup/UnattendedRun.h"
#include "setup/FullPath.h"
#include "setup/Messages.h"
#include "setup/QuietPlatform.h"
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
    // Made full once, where the program was started, so that every line goes to the one file the
    // operator named.
    // Under /quiet no window opens at all, not a message box and not a setup command's console.
    QuietPlatform quiet(m_os);
    PlatformServices& os = invocation.quiet ? static_cast<PlatformServices&>(quiet) : m_os;
    LoggingPlatform logged(os, FullPath(invocation.logPath, m_os.CurrentDirectory()), invocation.quiet);
    if (!NoteRunStart(logged, CORVANE_VERSION_TEXT, arguments, invocation.logPath)) {
        m_exitCode = static_cast<int>(ExitCode::Usage);
        return FALSE;
    }
    ExitCode code = ExitCode::Unexpected;
    // The one place a failure nobody expected (out of memory, say) ends up, from the dialogs and
    // the command line alike: said like any other failure, with its own exit code. What the run
    // had claimed for no command is gone by now (the install removes it on the way out).
    try {
        code = Run(logged, invocation);
    } catch (const std::exception& failure) {
        ReportFailure(logged, failure.what());
    } catch (...) {
        ReportFailure(logged, "unknown");
    }
    NoteExitCode(logged, code);
    m_exitCode = static_cast<int>(code);
    return FALSE;
}

ExitCode CSetupApp::Run(LoggingPlatform& os, const Invocation& invocation)
{
    if (!NeedsSockets(invocation.action))
        return RunUnattended(os, invocation);
    const bool dialogs = invocation.action == Invocation::Action::Dialogs;
    const std::shared_ptr<void> sockets = os.StartSockets();
    if (!sockets) {
        os.ShowMessage(LoadText(IDP_SOCKETS_INIT_FAILED));
        // The dialogs always end with 0, as the program always did.
        return dialogs ? ExitCode::Done : ExitCode::NoSockets;
    }
    ExitCode code = ExitCode::Done;
    if (dialogs) {
        CSetupChoiceDlg choice(os);
        struct MainWindow {
            CWnd*& main;
            ~MainWindow() { main = nullptr; }
        } mainWindow{m_pMainWnd};
        m_pMainWnd = &choice;
        choice.DoModal();
    } else {
        code = RunUnattended(os, invocation);
        const bool completed =
            code == ExitCode::Done || code == ExitCode::RestartNeeded || code == ExitCode::RestartStarted;
        if (completed && !invocation.quiet && SetsUp(invocation.action)) {
            CSetupCompleteDlg done(nullptr, os, code != ExitCode::Done);
            done.DoModal();
        }
    }
    return code;
}

void CSetupApp::ReportFailure(LoggingPlatform& os, const char* what)
{
    // Saying it may fail the same way; the exit code tells it all the same.
    try {
        os.ShowMessage(Format(msg::kUnexpectedFailure, what));
    } catch (...) {
    }
}
