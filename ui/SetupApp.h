// The setup launcher's application object.
#pragma once

#include "platform/win32/Win32Platform.h"
#include "setup/UnattendedRun.h"
#include "ui/framework/App.h"

/// The application: runs what the command line asks, the dialogs when it asks nothing. It owns the
/// Windows services and gives them to every dialog it makes.
class CSetupApp : public CWinApp {
public:
    /// The application on the Windows services.
    CSetupApp();
    /// The application on other services (a test's recording ones).
    explicit CSetupApp(PlatformServices& os);

    /// Runs the program: the choice dialog as main window until the operator cancels it, or an
    /// install, upgrade or listing from the command line. An exception ends the run with a message
    /// (logged under /quiet) and ExitCode::Unexpected. Always false: there is no message loop to
    /// follow.
    BOOL InitInstance() override;
    /// The exit code of the run.
    int ExitInstance() override { return m_exitCode; }

private:
    /// What the command line asks, on the services of the run's log: the socket library started
    /// first where it is needed, then the choice dialog as main window or what runs without it.
    ExitCode Run(LoggingPlatform& os, const Invocation& invocation);
    /// Says what ended the run unexpectedly: in a message box, or under /quiet in the log and on
    /// standard error.
    void ReportFailure(LoggingPlatform& os, const char* what);

    Win32Platform m_windows{&MainWindowHandle};
    PlatformServices& m_os;
    int m_exitCode = 0;
};
