// The services seen through the log of one run: what was shown, made, removed and run.
#pragma once

#include "platform/ForwardingPlatform.h"

#include <set>
#include <string>

/// Passes every call on and notes in the log file, one line each: every message, every directory
/// made, claimed or removed,
/// every file written or removed, every folder that other users may change, every command run with
/// its directory, exit status and duration (3010 and 1641 said to be done but for a restart), and
/// what the system tells of the session's end while it runs. Each line is "<local time> [<process
/// id>] <text>" in UTF-8 with CR LF, appended whole, so that several runs can share one log. Without
/// a log file nothing is noted. What the run shows is the services' below (QuietPlatform's when
/// quiet); the log only tells it.
class LoggingPlatform : public ForwardingPlatform {
public:
    /// `logPath` empty: no log. `quiet`: the run shows no message (the services below write them to
    /// standard error), and the log says so of each.
    LoggingPlatform(PlatformServices& next, std::string logPath, bool quiet);

    /// Appends one line (Appended without a log). A line lost once the log has taken one, or lost
    /// for any reason but a log that never opened, is said once a run on standard error (in a
    /// message, which a quiet run doesn't show, when there is none): "A line could not be added to the
    /// log file <path>, and the log may lack others of this run: <text>". After a line the log
    /// opened but did not take (its lock kept by another past the wait, a failed write), no more
    /// are tried: a run waits for the lock once at most.
    AppendResult Note(const std::string& text);

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

    /// Says once that the log lacks lines, `text` being the first lost.
    void SayLinesLost(const std::string& text);

    std::string m_logPath;
    bool m_quiet;
    std::set<std::string> m_openFolders;  ///< the folders already noted as open to others
    bool m_taken = false;     ///< the log has taken a line
    bool m_lossSaid = false;  ///< a lost line has been said
    bool m_stalled = false;   ///< a line was opened but not taken: no more are tried
};
