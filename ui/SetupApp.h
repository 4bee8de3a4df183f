// The setup launcher's application object.
#pragma once

#include "platform/win32/Win32Platform.h"
#include "ui/framework/App.h"

/// The application: checks the socket library, then runs the choice dialog as main window until
/// the operator cancels it. It owns the Windows services and gives them to every dialog it makes.
class CSetupApp : public CWinApp {
public:
    /// The application on the Windows services.
    CSetupApp();
    /// The application on other services (a test's recording ones).
    explicit CSetupApp(PlatformServices& os);

    /// Starts the socket library and runs the choice dialog. When the socket library can't be
    /// had, shows "Windows sockets initialization failed." and runs nothing. Always false: the
    /// choice dialog was the whole program.
    BOOL InitInstance() override;
    /// Releases the socket library if it was started; always 0.
    int ExitInstance() override;

    /// The services every part of the program goes through.
    PlatformServices& Os() { return m_os; }

private:
    Win32Platform m_windows{&MainWindowHandle};
    PlatformServices& m_os;
    bool m_socketsStarted = false;
};
