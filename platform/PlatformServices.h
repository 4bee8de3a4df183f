// The operating-system and run-time operations the setup operations and the dialogs rely on.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

/// Outcome of making a directory: only an existing directory is told apart from other failures.
enum class MakeDirResult { Created, AlreadyExists, Failed };

/// Outcome of writing a whole text file.
enum class WriteResult { Written, OpenFailed, WriteFailed };

/// Outcome of reading a text file token by token.
enum class ReadResult { Read, OpenFailed };

/// What the system tells of the user's session (a log-off, a shutdown) while a command runs.
enum class SessionEvent {
    HeldUp,   ///< the session asked to end; it waits for the command, or for the user to end it anyway
    Ending,   ///< the session asked to end in a way that can't wait (a critical shutdown)
    Ends,     ///< the session ends now: the program and the command may be ended at any moment
    GoesOn,   ///< the log-off or shutdown was called off
};

/// The program's standard streams.
enum class StandardStream { Output, Error };

/// Every call the program makes to the operating system outside its own windows: files and
/// directories, commands, text in the system's code page, messages, help and the socket library.
/// Paths are in Windows form (drive letter, backslashes) on a file system that ignores case. All
/// calls are synchronous; none shows anything but ShowMessage and the help viewer, and none throws.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    /// The program file's full path as the system reports it.
    virtual std::string ProgramArgument() = 0;

    /// The words of the command line after the program's name, split by the C run-time's rules.
    virtual std::vector<std::string> CommandArguments() = 0;

    /// The system's number for this process.
    virtual unsigned long ProcessId() = 0;

    /// True when the environment variable `name` is set, to anything.
    virtual bool EnvironmentHas(const std::string& name) = 0;

    /// Makes one directory. AlreadyExists when an entry of that name, in any case, is a directory
    /// already; Failed for every other reason (missing parent, refused name, a file in the way).
    virtual MakeDirResult MakeDirectory(const std::string& path) = 0;

    /// Makes one directory as a claim: true only when this call made it. An entry of that name in
    /// any case, and every other failure, give false alike, which is all a claim needs to know.
    virtual bool ClaimDirectory(const std::string& path) = 0;

    /// Removes an empty directory; false when it could not be removed.
    virtual bool RemoveEmptyDirectory(const std::string& path) = 0;

    /// Removes a file; false when it could not be removed.
    virtual bool RemoveFile(const std::string& path) = 0;

    /// Appends `text` to the file `path` (made when missing, in a folder that must exist) in one
    /// piece: several processes may append to one file at once and no text is split or mixed.
    /// False when the file can't be opened or written.
    virtual bool AppendToFile(const std::string& path, const std::string& text) = 0;

    /// Makes `path` the current directory; false (and nothing changed) when it is not a directory.
    virtual bool ChangeDirectory(const std::string& path) = 0;

    /// The current directory as a full path.
    virtual std::string CurrentDirectory() = 0;

    /// True when anything, file or directory, is named `path`.
    virtual bool PathExists(const std::string& path) = 0;

    /// Every entry of the current directory, "." and ".." included, in file-system order.
    virtual std::vector<std::string> ListEntries() = 0;

    /// Creates or truncates `path` as a text file holding exactly `text` (line ends become CR LF on
    /// disk) and closes it. OpenFailed leaves nothing new behind; WriteFailed may leave the file.
    virtual WriteResult WriteTextFile(const std::string& path, const std::string& text) = 0;

    /// Opens `path` as a text file and hands `sink` each maximal run of non-white-space characters,
    /// in file order and of any length, then closes it. OpenFailed when the file doesn't open.
    virtual ReadResult ReadTokens(const std::string& path,
                                  const std::function<void(const std::string&)>& sink) = 0;

    /// Runs one command line through the command interpreter in the current directory and waits
    /// for it without limit. Returns its exit status (any value, -1 among them), or nothing when
    /// the interpreter could not be started.
    virtual std::optional<int> RunCommand(const std::string& commandLine) = 0;

    /// Who hears, inside RunCommand, what the system tells of the session's end; each call is made
    /// before the system may end the program. Nobody when `watcher` is empty.
    virtual void WatchSession(std::function<void(SessionEvent)> watcher) = 0;

    /// Negative, 0 or positive as `a` sorts before, with or after `b` in the system's sorted lists:
    /// ignoring case, by the user's locale.
    virtual int CompareText(const std::string& a, const std::string& b) = 0;

    /// The text lower-cased by the system's ANSI code page; double-byte characters stay whole.
    virtual std::string LowerCase(const std::string& text) = 0;

    /// True when `byte` starts a double-byte character in the system's ANSI code page.
    virtual bool IsLeadByte(unsigned char byte) = 0;

    /// Shows `text` to the operator with the application title as caption, one OK button and the
    /// exclamation icon; returns when it has been dismissed.
    virtual void ShowMessage(const std::string& text) = 0;

    /// Writes `text` as it is to a standard stream; false when the program has no such stream (a
    /// Windows program started without one) or it can't be written.
    virtual bool WriteStandard(StandardStream stream, const std::string& text) = 0;

    /// The local date and time now in ISO 8601, to the millisecond and with the offset from UTC:
    /// 2026-12-08T10:15:30.123+01:00.
    virtual std::string LocalTime() = 0;

    /// Opens the document `path` with the program the system associates with it (a web page in
    /// the default browser), on behalf of the program's main window. False when none started.
    virtual bool OpenDocument(const std::string& path) = 0;

    /// Asks the help viewer for topic `context` of the help file `path`, on behalf of the
    /// program's main window. False when the viewer could not be started.
    virtual bool ShowHelpTopic(const std::string& path, unsigned long context) = 0;

    /// Tells the help viewer that the program needs no more help from `path`.
    virtual void CloseHelp(const std::string& path) = 0;

    /// Starts the system's socket library, asking for version 1.1. False when it can't be started
    /// or grants another version; nothing is left to release then.
    virtual bool StartSockets() = 0;

    /// Releases the socket library after StartSockets succeeded.
    virtual void StopSockets() = 0;
};
