// The application object: the one global instance, the start-up glue and the help command.
#pragma once

#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <string>

class CDialog;
class CWnd;

/// The application. Exactly one instance exists at a time (the program's is global); it registers
/// itself on construction and GetApplication returns it.
class CWinApp {
public:
    /// The help viewer's entry point; replaceable so that a test can watch the requests.
    using HelpViewer = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);

    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    /// Runs the program. Every window is modal, so it returns only when all is over; false tells
    /// the framework that no message loop is wanted.
    virtual BOOL InitInstance() { return FALSE; }
    /// Cleans up after InitInstance; its value is the process exit code.
    virtual int ExitInstance() { return 0; }

    /// The operating-system services every part of the program goes through.
    PlatformServices& Os() { return *m_os; }
    /// Routes every service call through `os` from now on (tests record messages this way).
    void UsePlatform(PlatformServices& os) { m_os = &os; }

    /// The program path with its last extension replaced by ".HLP" (appended when it has none).
    std::string HelpFilePath();
    /// Asks the help viewer for the topic of `dialog`'s template (0x20000 + template id), owned by
    /// the main window; shows "Failed to launch help." when the viewer can't be started.
    void OnHelp(const CDialog& dialog);
    /// Passes `command` to the help viewer for the program's help file, naming the main window
    /// (or `fallback` while there is none) as its owner; false when the viewer refused.
    bool WinHelp(HWND fallback, UINT command, ULONG_PTR data);

    /// Called by every dialog as it opens and as it goes away: while the main window is open it
    /// owns the message boxes.
    void DialogOpened(const CDialog& dialog);
    void DialogClosing(const CDialog& dialog);

    /// The framework's hosting of embedded controls in dialogs. The dialogs hold only standard
    /// controls, which need no host: it changes nothing.
    void EnableControlContainer() {}
    /// The framework's three-dimensional drawing of dialog controls. Every supported Windows
    /// draws them so itself: it changes nothing.
    void Enable3dControls() {}

    /// String resource `id` of any length; empty when there is none.
    static std::string LoadString(UINT id);

    /// The window whose closing ends the program; nullptr until the start-up routine sets it.
    CWnd* m_pMainWnd = nullptr;
    HelpViewer m_helpViewer = &::WinHelpA;

private:
    Win32Platform m_platform;
    PlatformServices* m_os = &m_platform;
};

/// The application object, or nullptr when none exists.
CWinApp* GetApplication();

/// The body of WinMain: runs the application's start-up routine, then its clean-up, and returns
/// the exit code. 0 when there is no application object.
int RunApplication();
