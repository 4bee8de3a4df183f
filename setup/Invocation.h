// What the command line asks of the program, and running it: the dialogs, or an install, upgrade
// or listing without them, with exit codes and a log.
#pragma once

#include "setup/SetupResult.h"

#include <functional>
#include <string>
#include <vector>

class PlatformServices;

/// The program's exit codes.
enum class ExitCode {
    Done = 0,           ///< the system is installed or upgraded, the list was written, or the dialogs ended
    Usage = 1,          ///< unknown option, missing or extra argument, or a log file that can't be opened
    Refused = 2,        ///< empty input, \ / %, a type not offered, a name not listed or unusable in a command
    NotRegistered = 3,  ///< the base directory, no free number, the marker file, or a network folder
    CommandFailed = 4,  ///< the setup command failed or could not be started
    NoSockets = 5,      ///< Windows sockets could not be started
};

/// The exit code that tells how an install or upgrade ended.
ExitCode ExitCodeOf(SetupResult result);

/// What the command line asks for.
struct Invocation {
    enum class Action { Dialogs, Install, Upgrade, List, Help, Mistake };
    Action action = Action::Dialogs;
    std::vector<std::string> operands;  ///< install: call letters and type; upgrade: the system name
    bool quiet = false;
    std::string logPath;  ///< empty: no log
    std::string mistake;  ///< for a Mistake: what is wrong, for the operator
};

/// Reads the arguments after the program's name. Options start with "/" or "-" and ignore case;
/// /install takes the next two words and /upgrade and /log the next one, unless one of them is an
/// option of the program's own: then the operand is missing. A mistake keeps any /quiet and /log.
/// No arguments, or only /log <file>, mean the dialogs.
Invocation ParseArguments(const std::vector<std::string>& arguments);

/// `path` made full against the full directory `current` as Windows does: "run.log", "\\run.log"
/// (the current drive's root) and "D:run.log"; full paths and "" stay as they are.
std::string FullPath(const std::string& path, std::string current);

/// How the program shows its dialogs; each runs on the services it is given.
struct Dialogs {
    std::function<void(PlatformServices&)> choice;      ///< the choice dialog, as main window
    std::function<void(PlatformServices&)> completion;  ///< the completion dialog, without owner
};

/// Runs the program as its command line (the services' CommandArguments) asks and returns its
/// exit code. With a log, the run's start (with `version` and the arguments), what it does and its
/// exit code are logged. The socket library is started for anything but a usage; without it
/// `socketsFailed` is shown. The dialogs always end with Done, as the program always did.
ExitCode RunProgram(PlatformServices& os, const std::string& version, const std::string& socketsFailed,
                    const Dialogs& dialogs);
