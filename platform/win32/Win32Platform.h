// The platform services on Windows: the W functions of Win32 and the C run-time's.
#pragma once

#include "platform/PlatformServices.h"
#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <functional>
#include <string>

/// The real services. Every name crosses to the system in UTF-16. Message boxes are owned by the
/// last active pop-up of the program's main window while there is one, and by no window otherwise;
/// help is asked for on behalf of the main window itself.
class Win32Platform : public PlatformServices {
public:
    /// `mainWindow` tells, whenever a message or help is shown, which window is the program's main
    /// window (nullptr while there is none); without it there never is one.
    explicit Win32Platform(std::function<HWND()> mainWindow = {}) : m_mainWindow(std::move(mainWindow)) {}

    /// The program file's base name without its extension, as the file system spells it.
    std::string ApplicationTitle();

    /// GetModuleFileNameW, of any length.
    std::string ProgramArgument() override;
    /// GetCommandLineW, split by the C run-time's rules.
    std::vector<std::string> CommandArguments() override;
    std::string CurrentDirectory() override;
    const CodePage& TextCodePage() override { return m_codePage; }
    /// CreateDirectoryW with kStoreSecurity; an entry in the way counts as AlreadyExists only when
    /// it is a directory.
    MakeDirResult MakeDirectory(const std::string& path) override;
    /// CreateDirectoryW with SystemDirectorySecurity for the running account alone: a failure needs
    /// no second look.
    bool ClaimDirectory(const std::string& path) override;
    /// CreateFileW of the entry itself (FILE_FLAG_OPEN_REPARSE_POINT), sharing read and write but
    /// not delete; refused when it is a reparse point or its final path is not `path`'s.
    std::shared_ptr<void> HoldDirectory(const std::string& path) override;
    /// GetNamedSecurityInfoW, judged by JudgeFolder for the running account.
    FolderSafety FolderSafetyOf(const std::string& path) override;
    bool RemoveEntry(const std::string& path) override;
    /// One WriteFile at the end of the file while holding a lock that every appender takes, so
    /// appends of several processes (also over a network share) never interleave.
    AppendResult AppendToFile(const std::string& path, const std::string& bytes) override;
    PathKind PathType(const std::string& path) override;
    std::vector<std::string> ListEntries(const std::string& folder) override;
    /// _wfopen in text mode, FlushFileBuffers before the close.
    WriteResult WriteTextFile(const std::string& path, const std::string& bytes) override;
    /// _wfopen in text mode, as the C run-time reads text (Ctrl-Z ends it).
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override;
    /// The entries of `folder` that are no directory and are `name` with an extension of PATHEXT
    /// (".COM;.EXE;.BAT;.CMD" without it), or `name` itself when it ends in one, ignoring case.
    std::vector<std::string> CommandFiles(const std::string& folder, const std::string& name) override;
    /// The interpreter named by COMSPEC (else cmd.exe in the system folder) gets "/v:off /c" and the
    /// line, in the run's directory, inheriting no handle; a line that starts with a double quote
    /// gets one more pair around it, which the interpreter strips again. The wait is WaitAnswering's.
    /// Nothing when no interpreter could be started.
    std::optional<int> RunCommand(const CommandRun& run) override;
    /// MessageBoxW, captioned with ApplicationTitle as it was at the first message.
    void ShowMessage(const std::string& text) override;
    /// WriteConsoleW to a console; WriteFile of the code page's bytes to anything else.
    StreamWrite WriteStandard(StandardStream stream, const std::string& text) override;
    /// ShellExecuteW "open" (with COM started for the shell's sake, as its documentation asks) for
    /// a page; WinHelpW with HELP_CONTEXT or HELP_QUIT for the help viewer.
    bool Help(const HelpRequest& request) override;
    /// WSAStartup for 1.1; WSACleanup when another version was granted, or when the result goes.
    std::shared_ptr<void> StartSockets() override;

private:
    HWND MainWindow() const { return m_mainWindow ? m_mainWindow() : nullptr; }

    std::function<HWND()> m_mainWindow;
    Win32CodePage m_codePage;
    /// The running account's SID, read from the process token at the first need; "" when it can't be.
    const std::wstring& Account();

    std::wstring m_account;  ///< empty until Account() first reads it
    std::wstring m_caption;  ///< the message boxes' caption; empty until the first message
};
