// Safe command lines for the external setup commands: the unsafe-character check and word quoting.
#pragma once

#include "setup/SetupResult.h"

#include <string>

class PlatformServices;

/// True when `text` holds "\", "/" or "%": a path separator reaches outside the base directory and
/// the command interpreter expands "%" even inside quotes. Double-byte characters are stepped over,
/// so a trail byte that happens to be 0x5C is not taken for a backslash.
bool HasUnsafeCharacter(PlatformServices& os, const std::string& text);

/// `word` enclosed in double quotes when it holds a blank, a tab or a character the command
/// interpreter treats specially (& ^ ( ) , ; = | < >); otherwise `word` unchanged.
std::string QuoteWord(PlatformServices& os, const std::string& word);

/// "KELSETUP-<type> <system directory> <name>", each word quoted as QuoteWord says.
std::string InstallCommandLine(PlatformServices& os, const std::string& systemType,
                               const std::string& systemDirectory, const std::string& name);

/// "<program directory><type>-UPGRADE <name>", each word quoted as QuoteWord says.
std::string UpgradeCommandLine(PlatformServices& os, const std::string& programDirectory,
                               const std::string& systemType, const std::string& name);

/// Runs `commandLine` through the platform and waits for it. Done when it exited 0; otherwise shows
/// "Setup command <line> failed with exit code <status>." and returns CommandFailed.
SetupResult RunSetupCommand(PlatformServices& os, const std::string& commandLine);

/// True while RunSetupCommand waits for a command. The windows keep answering meanwhile, so an
/// install or upgrade asked for then (by a message some tool sends) must not begin.
bool SetupCommandRunning();

