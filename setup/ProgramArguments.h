// What the program's own arguments ask of it: the dialogs, or an install, upgrade or listing.
#pragma once

#include <string>
#include <vector>

/// What the program's arguments ask for.
struct Invocation {
    enum class Action { Dialogs, Install, Upgrade, List, Help, Mistake };
    Action action = Action::Dialogs;
    std::vector<std::string> operands;  ///< install: call letters and type; upgrade: the system name
    bool quiet = false;
    bool once = false;    ///< install only when no system of these call letters and this type is there
    std::string logPath;  ///< empty: no log
    std::string mistake;  ///< for a Mistake: what is wrong, for the operator
};

/// Reads the arguments after the program's name. Options start with "/" or "-" and ignore case;
/// /install takes the next two words and /upgrade and /log the next one, unless one of them is an
/// option of the program's own (or, for /log, empty): then the operand is missing. /once goes with
/// /install only. A mistake keeps any /quiet and /log.
/// No arguments, or only /log <file>, mean the dialogs.
Invocation ParseArguments(const std::vector<std::string>& arguments);

/// True for what needs the socket library started first: the dialogs, an install, an upgrade
/// and the list.
bool NeedsSockets(Invocation::Action action);

/// True for an install or an upgrade, which end with the completion dialog unless quiet.
bool SetsUp(Invocation::Action action);
