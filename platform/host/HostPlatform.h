// The platform services on a POSIX host: Windows paths mapped onto host folders, commands run without a shell.
#pragma once

#include "platform/PlatformServices.h"

#include <string>

/// Drive C: is the host folder given to the constructor and drive Z: is the host's root "/" (as
/// under Wine); other drives don't exist. Every path component resolves ignoring case, names
/// Windows refuses (" * : < > ? | and control characters) can't be made, text files get CR LF
/// line ends on disk, and the current directory is this object's own (it starts at C:\), so the
/// process's working directory is never changed.
class HostPlatform : public PlatformServices {
public:
    /// `driveRoot` stands for C:\ and must exist. `programPath` is the program argument in
    /// Windows form; empty means the running executable, /proc/self/exe, seen through drive Z:.
    /// `arguments` are the command-line arguments after the program's name.
    explicit HostPlatform(std::string driveRoot, std::string programPath = {},
                          std::vector<std::string> arguments = {});

    /// The host path a Windows path names (the existing spelling of each component that exists in
    /// some case), or "" when its drive doesn't exist.
    std::string HostPath(const std::string& windowsPath) const;

    /// Makes `path` the current directory, as the process starting the program would have; false
    /// (and nothing changed) when it is not a directory. Not a service: nothing of the program's
    /// moves its current directory.
    bool ChangeDirectory(const std::string& path);

    std::string ProgramArgument() override;
    std::vector<std::string> CommandArguments() override;
    std::string CurrentDirectory() override;
    /// ISO 8859-1, with A-Z and À-Þ lower-cased.
    const CodePage& TextCodePage() override { return m_codePage; }
    MakeDirResult MakeDirectory(const std::string& path) override;
    /// MakeDirectory's Created: names differing only in case are the same here too.
    bool ClaimDirectory(const std::string& path) override;
    /// open(2) with O_NOFOLLOW, refused where the descriptor leads elsewhere than the path. Nothing
    /// here keeps a held directory from being renamed: POSIX has no such lock.
    std::shared_ptr<void> HoldDirectory(const std::string& path) override;
    /// OthersMayChange when its group or others may write (without the sticky bit), or its owner is
    /// neither root nor this process's user.
    FolderSafety FolderSafetyOf(const std::string& path) override;
    bool RemoveEntry(const std::string& path) override;
    /// One write(2) with O_APPEND under an exclusive flock.
    AppendResult AppendToFile(const std::string& path, const std::string& bytes) override;
    PathKind PathType(const std::string& path) override;
    std::vector<std::string> ListEntries(const std::string& folder) override;
    /// fsync(2) before the close.
    WriteResult WriteTextFile(const std::string& path, const std::string& bytes) override;
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override;
    /// Regular files named `name`, or `name` with an extension of PATHEXT (".COM;.EXE;.BAT;.CMD"
    /// without it), ignoring case.
    std::vector<std::string> CommandFiles(const std::string& folder, const std::string& name) override;
    /// Splits the line by the C run-time's argument rules, finds the first word as a path, or in
    /// the run's directory and then on PATH, and runs it directly (no shell) in that directory.
    /// 127 when nothing could be run; 128 + the signal number when it was killed. A POSIX session
    /// tells nothing of its end that a program could answer: nobody is told.
    std::optional<int> RunCommand(const CommandRun& run) override;
    /// Writes "<caption>: <text>" and a line end to standard error.
    void ShowMessage(const std::string& text) override;
    /// The text's bytes as they are, to a terminal or not.
    StreamWrite WriteStandard(StandardStream stream, const std::string& text) override;
    /// There is neither a browser nor a help viewer: always false.
    bool Help(const HelpRequest& request) override;
    /// Nothing to start: always held.
    std::shared_ptr<void> StartSockets() override;

private:
    std::string m_driveRoot;
    std::string m_programPath;
    std::vector<std::string> m_arguments;
    std::string m_currentDirectory;
    Latin1CodePage m_codePage;
};
