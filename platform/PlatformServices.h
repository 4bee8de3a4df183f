// The operating-system operations the setup operations and the dialogs rely on.
#pragma once

#include "platform/CodePage.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/// Outcome of making a directory: only an existing directory is told apart from other failures.
enum class MakeDirResult { Created, AlreadyExists, Failed };

/// Outcome of writing a whole text file.
enum class WriteResult { Written, OpenFailed, WriteFailed };

/// Outcome of appending to a file.
enum class AppendResult {
    Appended,     ///< all of it, in one piece
    OpenFailed,   ///< the file did not open (a folder that isn't there): nothing was written
    NotAppended,  ///< another held the append lock too long, or the write failed
};

/// The longest an append waits for another holder of the file's append lock: long enough for any
/// number of runs appending lines to one log, short enough that a program keeping the lock (a hung
/// network client) holds up no run for long.
inline constexpr int kAppendLockWaitMilliseconds = 5000;

/// Outcome of reading a text file token by token.
enum class ReadResult {
    Read,        ///< read to its end
    OpenFailed,  ///< it did not open; nothing was handed over
    ReadFailed,  ///< a read failed partway (a share that dropped): what was handed over is not all
};

/// What a path names.
enum class PathKind { Missing, File, Directory };

/// Who may change what is in a folder that exists.
enum class FolderSafety {
    TrustedOnly,      ///< administrators, the system and the running account only
    OthersMayChange,  ///< other users too: a broad group may write, delete or change permissions, or the owner is
                      ///< someone else
    Unknown,          ///< its security could not be read
};

/// What the system tells of the user's session (a log-off, a shutdown) while a command runs.
enum class SessionEvent {
    HeldUp,   ///< the session asked to end; it waits for the command, or for the user to end it anyway
    Ending,   ///< the session asked to end in a way that can't wait (a critical shutdown)
    Ends,     ///< the session ends now: the program and the command may be ended at any moment
    GoesOn,   ///< the log-off or shutdown was called off
};

/// One command for the command interpreter, with everything its run needs.
struct CommandRun {
    /// `line` in `directory`, with a window and nobody told of the session.
    CommandRun(std::string commandLine, std::string startIn = std::string())
        : line(std::move(commandLine)), directory(std::move(startIn))
    {
    }

    std::string line;                              ///< the command line, as the interpreter reads it
    std::string directory;                         ///< where it starts; empty: the program's current directory
    bool withoutWindow = false;                    ///< no console window at all (an unattended run)
    std::function<void(SessionEvent)> onSession;   ///< told what the system says of the session's end; may be empty
    std::function<void()> onStarted;               ///< told once the command has started, before the wait; may be
                                                   ///< empty
};

/// The program's standard streams.
enum class StandardStream { Output, Error };

/// Outcome of writing to a standard stream.
enum class StreamWrite {
    Written,   ///< all of it
    NoStream,  ///< the program has no such stream (a Windows program started without one)
    Failed,    ///< there is one, but the text could not be written (its reader has gone, a full disk)
};

/// A request to the help viewer or the browser.
struct HelpRequest {
    enum class Kind {
        Page,   ///< open `path` with the program the system associates with it (a web page in the browser)
        Topic,  ///< ask the help viewer for topic `context` of the help file `path`
        Close,  ///< tell the help viewer that the program needs no more help from `path`
    };
    Kind kind;
    std::string path;
    unsigned long context = 0;
};

/// Every call the program makes to the operating system outside its own windows: files and
/// directories, commands, messages, help and the socket library. Text is UTF-8 throughout, file
/// contents excepted, which are the bytes as stored. Paths are in Windows form (drive letter,
/// backslashes) on a file system that ignores case; a relative one resolves against the program's
/// current directory, which nothing here changes. All calls are synchronous; none shows anything
/// but ShowMessage and Help, and none throws except for want of memory.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    /// The program file's full path as the system reports it.
    virtual std::string ProgramArgument() = 0;

    /// The words of the command line after the program's name, split by the C run-time's rules.
    virtual std::vector<std::string> CommandArguments() = 0;

    /// The current directory as a full path: where the program was started, since nothing moves it.
    virtual std::string CurrentDirectory() = 0;

    /// The rules of the PC's ANSI code page, the one other programs read the stored files in.
    virtual const CodePage& TextCodePage() = 0;

    /// Makes one directory that every user of the PC may read and add a directory to, and in which
    /// only the system and administrators may change anything else; nothing is inherited from its
    /// parent. AlreadyExists when an entry of that name, in any case, is a directory already (its
    /// security stays as it is); Failed for every other reason (missing parent, refused name, a file
    /// in the way).
    virtual MakeDirResult MakeDirectory(const std::string& path) = 0;

    /// Makes one directory as a claim: true only when this call made it. An entry of that name in
    /// any case, and every other failure, give false alike, which is all a claim needs to know. It
    /// is made with security of its own, handed down to all made in it: the system, administrators
    /// and the running account may do anything, every other user may only read and run.
    virtual bool ClaimDirectory(const std::string& path) = 0;

    /// Opens the directory `path` without following a link, and keeps it from being removed, renamed
    /// or swapped (with every directory above it) for as long as the result is held. Empty, and
    /// nothing held, when `path` is a link, a junction or no directory, or leads somewhere else.
    virtual std::shared_ptr<void> HoldDirectory(const std::string& path) = 0;

    /// Who may change what is in the existing folder `path`.
    virtual FolderSafety FolderSafetyOf(const std::string& path) = 0;

    /// Removes a file or an empty directory; false when it could not be removed.
    virtual bool RemoveEntry(const std::string& path) = 0;

    /// Appends `bytes` to the file `path` (made when missing, in a folder that must exist) in one
    /// piece: several processes may append to one file at once and nothing is split or mixed.
    /// Waits at most kAppendLockWaitMilliseconds for another holder of the file's append lock.
    /// OpenFailed when the file can't be opened; NotAppended when the lock was not had in time or
    /// the write failed.
    virtual AppendResult AppendToFile(const std::string& path, const std::string& bytes) = 0;

    /// What `path` names: nothing, a file or a directory.
    virtual PathKind PathType(const std::string& path) = 0;

    /// Every entry of the directory `folder`, "." and ".." included where the system lists them,
    /// in file-system order; empty when it can't be listed.
    virtual std::vector<std::string> ListEntries(const std::string& folder) = 0;

    /// Creates or truncates `path` as a text file holding exactly `bytes` (line ends become CR LF
    /// on disk), flushes it to the disk and closes it. OpenFailed leaves nothing new behind;
    /// WriteFailed (a flush that failed among them) may leave the file.
    virtual WriteResult WriteTextFile(const std::string& path, const std::string& bytes) = 0;

    /// Opens `path` as a text file and hands `sink` each maximal run of bytes that are neither
    /// white space nor NUL, in file order and of any length, then closes it.
    virtual ReadResult ReadTokens(const std::string& path,
                                  const std::function<void(const std::string&)>& sink) = 0;

    /// The files of `folder` ("": the current directory) that the command interpreter would take for
    /// the bare command `name`, spelled as the file system spells them: `name` with each extension
    /// it tries for a command (PATHEXT on Windows), and `name` itself where a program needs none.
    virtual std::vector<std::string> CommandFiles(const std::string& folder, const std::string& name) = 0;

    /// Runs `run.line` through the command interpreter in `run.directory` and waits for it without
    /// limit. Returns its exit status (any value, -1 among them), or nothing when the interpreter
    /// could not be started.
    virtual std::optional<int> RunCommand(const CommandRun& run) = 0;

    /// Shows `text` to the operator with the application title as caption, one OK button and the
    /// exclamation icon; returns when it has been dismissed.
    virtual void ShowMessage(const std::string& text) = 0;

    /// Writes `text` to a standard stream: to a console as it is, to anything else (a pipe, a file)
    /// in the code page's bytes, "?" for what the code page lacks.
    virtual StreamWrite WriteStandard(StandardStream stream, const std::string& text) = 0;

    /// Opens a page or a help topic, or closes the help viewer, on behalf of the program's main
    /// window. False when nothing could be started.
    virtual bool Help(const HelpRequest& request) = 0;

    /// Starts the system's socket library, asking for version 1.1, for as long as the result is
    /// held. Empty when it can't be started or grants another version; nothing is held then.
    virtual std::shared_ptr<void> StartSockets() = 0;
};
