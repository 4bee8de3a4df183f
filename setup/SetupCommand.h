// Safe command lines for the external setup commands: the unsafe-character check, word quoting
// and the run of a command.
#pragma once

#include "setup/SetupResult.h"

#include <memory>
#include <string>

class PlatformServices;

/// True when `text` holds "\", "/", "%", a double quote or a control character (0x00 to 0x1F,
/// 0x7F): a path separator reaches outside the base directory, the command interpreter expands "%"
/// even inside quotes, a double quote ends the quotes the word is put in, and a control character
/// ends or splits the line. In UTF-8 no byte of a longer character is one of these.
bool HasUnsafeCharacter(const std::string& text);

/// True when `text` holds a control character (0x00 to 0x1F, 0x7F): a refusal with its own reason,
/// as a tab is no path separator.
bool HasControlCharacter(const std::string& text);

/// True when `text` holds a double quote or a control character, which no quoting can carry.
bool HasUnquotableCharacter(const std::string& text);

/// `word` enclosed in double quotes when it holds a blank, a tab or a character the command
/// interpreter treats specially (& ^ ( ) , ; = | < >); otherwise `word` unchanged.
std::string QuoteWord(const std::string& word);

/// "KELSETUP-<type> <system directory> <name>", each word quoted as QuoteWord says; the command is
/// named ".\KELSETUP-<type>" `namedWithPath`, for an interpreter that looks for a bare name only on
/// the search path.
std::string InstallCommandLine(bool namedWithPath, const std::string& systemType, const std::string& systemDirectory,
                               const std::string& name);

/// "<program directory><type>-UPGRADE <name>", each word quoted as QuoteWord says.
std::string UpgradeCommandLine(const std::string& programDirectory, const std::string& systemType,
                               const std::string& name);

/// True when `folder` (empty: the current directory) holds exactly one file the command interpreter
/// would take for the bare command `command`. Otherwise shows that there is none, or names the
/// files of which the interpreter would take whichever it tries first, and returns false.
bool HasOneCommandFile(PlatformServices& os, const std::string& folder, const std::string& command);

/// Runs `commandLine` in `directory` (empty: the current one) through the platform and waits for
/// it; `held` is let go once the command has started. Done when it exited 0, RestartNeeded for 3010
/// and RestartStarted for 1641, without a message; otherwise shows "Setup command <line> failed with
/// exit code <status>." and returns CommandFailed.
SetupResult RunSetupCommand(PlatformServices& os, const std::string& commandLine, const std::string& directory,
                            std::shared_ptr<void> held = nullptr);
