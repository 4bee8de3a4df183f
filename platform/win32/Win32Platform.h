// The platform services on Windows: Win32 and C run-time calls.
#pragma once

#include "platform/PlatformServices.h"

#include <windows.h>

#include <functional>
#include <string>

/// The real services. Message boxes are owned by the last active pop-up of the program's main
/// window while there is one, and by no window otherwise; the help viewer is asked on behalf of
/// the main window itself.
class Win32Platform : public PlatformServices {
public:
    /// `mainWindow` tells, whenever a message or help is shown, which window is the program's main
    /// window (nullptr while there is none); without it there never is one.
    explicit Win32Platform(std::function<HWND()> mainWindow = {}) : m_mainWindow(std::move(mainWindow)) {}

    /// `yes`: the command interpreter is started with no console window at all (an unattended run);
    /// otherwise it gets a console of its own, as a program without one gives it.
    void StartCommandsWithoutWindow(bool yes) { m_commandsWithoutWindow = yes; }

    /// The program file's base name without its extension, as the file system spells it.
    std::string ApplicationTitle();

    std::string ProgramArgument() override;
    /// GetCommandLineA, split by the C run-time's rules.
    std::vector<std::string> CommandArguments() override;
    unsigned long ProcessId() override { return GetCurrentProcessId(); }
    bool EnvironmentHas(const std::string& name) override;
    /// _mkdir; EEXIST counts as AlreadyExists only when the entry in the way is a directory.
    MakeDirResult MakeDirectory(const std::string& path) override;
    /// _mkdir alone: a failure needs no second look.
    bool ClaimDirectory(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    /// One WriteFile at the end of the file while holding a lock that every appender takes, so
    /// appends of several processes (also over a network share) never interleave.
    bool AppendToFile(const std::string& path, const std::string& text) override;
    bool ChangeDirectory(const std::string& path) override;
    std::string CurrentDirectory() override;
    bool PathExists(const std::string& path) override;
    std::vector<std::string> ListEntries() override;
    WriteResult WriteTextFile(const std::string& path, const std::string& text) override;
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override;
    /// The interpreter named by COMSPEC (else cmd.exe in the system folder) gets "/v:off /c" and the
    /// line, in the current directory (passed by name), inheriting no handle; a line that starts
    /// with a double quote gets one more pair around it, which the interpreter strips again. While
    /// it runs the thread answers what is sent to its windows and repaints them, drops keyboard and mouse input and the commands they make, and shows the wait
    /// cursor. A hidden window of its own holds a log-off or shutdown up meanwhile, one that can
    /// wait, with the reason Windows shows for it, and tells the session watcher. Nothing when no
    /// interpreter could be started.
    std::optional<int> RunCommand(const std::string& commandLine) override;
    void WatchSession(std::function<void(SessionEvent)> watcher) override { m_sessionWatcher = std::move(watcher); }
    /// CompareStringA with the user's locale, ignoring case, as sorted list boxes compare.
    int CompareText(const std::string& a, const std::string& b) override;
    std::string LowerCase(const std::string& text) override;
    bool IsLeadByte(unsigned char first) override;
    void ShowMessage(const std::string& text) override;
    /// WriteFile on the standard handle.
    bool WriteStandard(StandardStream stream, const std::string& text) override;
    std::string LocalTime() override;
    /// ShellExecuteA "open", with COM started for the shell's sake as its documentation asks.
    bool OpenDocument(const std::string& path) override;
    /// WinHelpA with HELP_CONTEXT.
    bool ShowHelpTopic(const std::string& path, unsigned long context) override;
    /// WinHelpA with HELP_QUIT.
    void CloseHelp(const std::string& path) override;
    /// WSAStartup for 1.1; WSACleanup again when another version was granted.
    bool StartSockets() override;
    void StopSockets() override;

private:
    HWND MainWindow() const { return m_mainWindow ? m_mainWindow() : nullptr; }

    std::function<HWND()> m_mainWindow;
    bool m_commandsWithoutWindow = false;
    std::function<void(SessionEvent)> m_sessionWatcher;
};
