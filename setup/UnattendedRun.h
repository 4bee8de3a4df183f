// The unattended run: an install, upgrade or listing without the dialogs, with exit codes and a log.
#pragma once

#include "setup/ProgramArguments.h"
#include "setup/SetupResult.h"

#include <string>
#include <vector>

class LoggingPlatform;

/// The program's exit codes.
enum class ExitCode {
    Done = 0,           ///< the system is installed or upgraded, the list was written, or the dialogs ended
    Usage = 1,          ///< unknown option, missing or extra argument, or a log file that can't be opened
    Refused = 2,        ///< empty input, \ / %, a type not offered, a name not listed or unusable in a command
    NotRegistered = 3,  ///< the base directory, no free number, the marker file, or a network folder
    CommandFailed = 4,  ///< the setup command failed or could not be started
    NoSockets = 5,      ///< Windows sockets could not be started
    OutputNotWritten = 6,  ///< the list or the usage could not be written to standard output (its reader gone, a full disk)
    Unexpected = 7,     ///< an unexpected failure (out of memory); what the run claimed for no command is removed
    AlreadyRegistered = 8,  ///< /once found a system of these call letters and this type; nothing was made or run
    RestartStarted = 1641,  ///< the setup command did its work and has started Windows' restart
    RestartNeeded = 3010,   ///< the setup command did its work; Windows must restart to finish it
};

/// The exit code that tells how an install or upgrade ended.
ExitCode ExitCodeOf(SetupResult result);

/// Notes the run's start in the log: the program's `version` and `arguments`, each quoted where
/// it holds a blank. When the log file can't be opened, says so on standard error (in a message box
/// without one) and returns false: the run ends there with Usage. A line it opens but can't add
/// (its lock held too long) is said as the log says lost lines, and the run goes on.
bool NoteRunStart(LoggingPlatform& logged, const std::string& version, const std::vector<std::string>& arguments,
                  const std::string& logPath);

/// Does what the command line asks without the dialogs and returns the exit code: a mistake's
/// reason (logged) and the usage on standard error, the usage on standard output, an install, an
/// upgrade, or the list on standard output. Without a standard stream to write to, a message box
/// says it; a stream that can't be written is logged and gives OutputNotWritten. An install with
/// /once that finds a system FindRegistered matches (the type resolved among the offered ones as
/// the install resolves it, for input the install would take) makes and runs nothing: the name
/// goes to standard output (a box without one) and the log, and the run ends with
/// AlreadyRegistered, even when the name can't be written; otherwise it installs as ever. An
/// install, an upgrade and the list need the socket library started.
ExitCode RunUnattended(LoggingPlatform& logged, const Invocation& invocation);

/// Notes the exit code the run ends with, last of all its lines.
void NoteExitCode(LoggingPlatform& logged, ExitCode code);
