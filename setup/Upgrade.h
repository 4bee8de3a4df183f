// Finding the installed systems and upgrading one of them.
#pragma once

#include "setup/SetupResult.h"

#include <string>
#include <vector>

class PlatformServices;

/// True when anything, file or directory, is named `path`.
bool PathExists(PlatformServices& os, const std::string& path);

/// Every entry of `baseDirectory` whose name holds a "-", files and directories alike, in
/// file-system order ("." and ".." never). Empty when the directory can't be entered. The current
/// directory is the same afterwards as before.
std::vector<std::string> ListInstalledSystems(PlatformServices& os, const std::string& baseDirectory);

/// Makes the program directory current and runs <program directory><type>-UPGRADE <name>, waiting
/// for it. Every failure shows one message. Refused, and nothing runs: while another setup command
/// runs; an empty name; a name or type holding \, / or %; no base directory; a name not listed
/// there (one listed in another case is used as listed, with its own type); a program folder
/// holding %. CommandFailed: the command did not exit 0.
SetupResult UpgradeSystem(PlatformServices& os, const std::string& systemName, const std::string& systemType);
