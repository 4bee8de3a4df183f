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

    std::string ProgramArgument() override;
    std::vector<std::string> CommandArguments() override;
    unsigned long ProcessId() override;
    bool EnvironmentHas(const std::string& name) override;
    MakeDirResult MakeDirectory(const std::string& path) override;
    /// MakeDirectory's Created: names differing only in case are the same here too.
    bool ClaimDirectory(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    /// One write(2) with O_APPEND under an exclusive flock.
    bool AppendToFile(const std::string& path, const std::string& text) override;
    bool ChangeDirectory(const std::string& path) override;
    std::string CurrentDirectory() override;
    bool PathExists(const std::string& path) override;
    std::vector<std::string> ListEntries() override;
    WriteResult WriteTextFile(const std::string& path, const std::string& text) override;
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override;
    /// Splits the line by the C run-time's argument rules, finds the first word as a path, or in
    /// the current directory and then on PATH, and runs it directly (no shell). 127 when nothing
    /// could be run; 128 + the signal number when it was killed.
    std::optional<int> RunCommand(const std::string& commandLine) override;
    /// A POSIX session tells nothing of its end that a program could answer: nobody is told.
    void WatchSession(std::function<void(SessionEvent)>) override {}
    /// ASCII letters ignoring case, then bytes.
    int CompareText(const std::string& a, const std::string& b) override;
    /// ASCII letters only.
    std::string LowerCase(const std::string& text) override;
    /// Always false: the host's strings are single-byte.
    bool IsLeadByte(unsigned char byte) override;
    /// Writes "<caption>: <text>" and a line end to standard error.
    void ShowMessage(const std::string& text) override;
    bool WriteStandard(StandardStream stream, const std::string& text) override;
    std::string LocalTime() override;
    /// There is no browser either: always false.
    bool OpenDocument(const std::string& path) override;
    /// There is no help viewer: always false.
    bool ShowHelpTopic(const std::string& path, unsigned long context) override;
    void CloseHelp(const std::string& path) override;
    /// Nothing to start: always true.
    bool StartSockets() override;
    void StopSockets() override;

private:
    std::string m_driveRoot;
    std::string m_programPath;
    std::vector<std::string> m_arguments;
    std::string m_currentDirectory;
};
