// The setup launcher's application object.
#pragma once

#include "ui/framework/App.h"
#include "ui/framework/Wnd.h"

#include <winsock2.h>

#include <string>

/// The application: checks the socket library, then runs the choice dialog as main window until
/// the operator cancels it. The dialogs reach the setup operations through it.
class CSetupApp : public CWinApp {
public:
    /// The socket library's start-up and clean-up; replaceable so that a test can make them fail.
    struct SocketLibrary {
        int(WSAAPI* startup)(WORD version, LPWSADATA data);
        int(WSAAPI* cleanup)();
    };

    /// Starts the socket library (version 1.1 exactly) and runs the choice dialog. When the socket
    /// library can't be had, shows "Windows sockets initialization failed." and runs nothing.
    /// Always false: the choice dialog was the whole program.
    BOOL InitInstance() override;
    /// Releases the socket library if it was started; always 0.
    int ExitInstance() override;

    /// Registers a new system and runs its install command; true only when the command exited 0.
    /// Every failure has shown its message.
    bool InstallSystem(const std::string& callLetters, const std::string& systemType);
    /// Runs the upgrade command of an installed system; true only when the command exited 0.
    /// Every failure has shown its message.
    bool UpgradeSystem(const std::string& systemName, const std::string& systemType);

    SocketLibrary m_sockets{&WSAStartup, &WSACleanup};

private:
    bool StartSockets();

    bool m_socketsStarted = false;
};

/// The application icon at the big or the small system icon size, shared (never destroyed).
HICON LoadApplicationIcon(bool big);
/// Sets the application icon as `window`'s big and small icon.
void SetApplicationIcon(const CWnd& window);

/// The running application object; only valid while a CSetupApp exists.
CSetupApp& GetSetupApp();
