// The services seen through the log of one run: what was shown, made, removed and run.
#pragma once

#include "platform/ForwardingPlatform.h"

#include <set>
#include <string>

/// Passes every call on and notes in the log file, one line each: every message (shown, or when
/// quiet only logged and written to standard error), every directory made, claimed or removed,
/// every file written or removed, every folder that other users may change, every command run with
/// its directory, exit status and duration (3010 and 1641 said to be done but for a restart), and
/// what the system tells of the session's end while it runs. Each line is "<local time> [<process
/// id>] <text>" in UTF-8 with CR LF, appended whole, so that several runs can share one log. Without
/// a log file nothing is noted. When quiet, commands run without a console window.
class LoggingPlatform : public ForwardingPlatform {
public:
    /// `logPath` empty: no log. `quiet`: no message box; messages go to the log and standard error.
    LoggingPlatform(PlatformServices& next, std::string logPath, bool quiet);

    /// Appends one line; false when the log can't be appended to (always true without a log).
    bool Note(const std::string& text);

    /// True when messages are not shown.
    bool Quiet() const { return m_quiet; }

    MakeDirResult MakeDirectory(const std::string& path) override;
    bool ClaimDirectory(const std::string& path) override;
    /// Notes, once a run for each folder, that other users may change what is in it, and what to do.
    FolderSafety FolderSafetyOf(const std::string& path) override;
    bool RemoveEntry(const std::string& path) override;
    WriteResult WriteTextFile(const std::string& path, const std::string& bytes) override;
    std::optional<int> RunCommand(const CommandRun& run) override;
    void ShowMessage(const std::string& text) override;

private:
    /// Notes `text` when `done`; returns `done`.
    bool NotedIf(bool done, const std::string& text);

    std::string m_logPath;
    bool m_quiet;
    std::set<std::string> m_openFolders;  ///< the folders already noted as open to others
};
