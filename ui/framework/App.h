// The application object: the one global instance and the start-up glue.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

/// The application. Exactly one instance exists at a time (the program's is global); it registers
/// itself on construction and GetApplication returns it.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    /// Runs the program. Every window is modal, so it returns only when all is over; false tells
    /// the framework that no message loop is wanted.
    virtual BOOL InitInstance() { return FALSE; }
    /// Cleans up after InitInstance; its value is the process exit code.
    virtual int ExitInstance() { return 0; }

    /// The framework's hosting of embedded controls in dialogs. The dialogs hold only standard
    /// controls, which need no host: it changes nothing.
    void EnableControlContainer() {}
    /// The framework's three-dimensional drawing of dialog controls. Every supported Windows
    /// draws them so itself: it changes nothing.
    void Enable3dControls() {}

    /// String resource `id` of any length, in UTF-8; empty when there is none.
    static std::string LoadText(UINT id);

    /// The window whose closing ends the program; nullptr until the start-up routine sets it.
    CWnd* m_pMainWnd = nullptr;
};

/// The application object, or nullptr when none exists.
CWinApp* GetApplication();

/// The application's main window while it is open, or nullptr.
HWND MainWindowHandle();

/// The exit code of a run that ended on an exception the application did not handle.
inline constexpr int kUnhandledFailureExitCode = 7;

/// The body of WinMain: runs the application's start-up routine, then its clean-up, and returns
/// the exit code. 0 when there is no application object; kUnhandledFailureExitCode when either
/// throws.
int RunApplication();
