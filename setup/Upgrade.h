// Finding the installed systems and upgrading one of them.
#pragma once

#include "setup/SetupResult.h"

#include <string>
#include <vector>

class PlatformServices;

/// True when anything, file or directory, is named `path`.
bool PathExists(PlatformServices& os, const std::string& path);

/// Every entry of `baseDirectory` whose name holds a "-", files and directories alike, in
/// file-system order ("." and ".." never), spelled as the file system spells them, whatever they
/// hold. Empty when the directory can't be listed.
std::vector<std::string> ListInstalledSystems(PlatformServices& os, const std::string& baseDirectory);

/// Runs <program directory><type>-UPGRADE <name> in the program directory, the type derived from
/// the name as listed, waiting for it. Every failure shows one message. Refused, and nothing runs:
/// an empty name; a name holding \, /, %, a double quote or a control character, or one the code
/// page can't write (the command could not open it); no base directory; a name not listed there
/// (one listed in another case is used as listed); a program folder holding %, a double quote or a
/// control character. CommandFailed: the program folder holds no file, or more than one, that the
/// interpreter would take for the command (then nothing runs), or the command exited with any other
/// status than 0, 3010 and 1641. RestartNeeded, RestartStarted: the command exited 3010 or 1641, done
/// but for a restart. A store or program folder that other users may change is judged, for the log,
/// and used all the same.
SetupResult UpgradeSystem(PlatformServices& os, const std::string& systemName);
