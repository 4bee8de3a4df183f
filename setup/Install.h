// Registering a new system: claim a numbered directory, write its marker, run the install command.
#pragma once

#include "setup/SetupResult.h"

#include <string>
#include <vector>

class CodePage;
class PlatformServices;

/// The input of an install as checked before anything is made.
struct CheckedInput {
    std::string type;     ///< the type as the catalogue offers it (when it is offered)
    std::string refusal;  ///< why the install refuses the input, for the operator; "" when it takes it
};

/// The checks of InstallSystem's input, which need the code page alone: refused are empty call
/// letters or type; either holding a control character (a message of its own), \, /, % or a double
/// quote, or a character the code page can't write; a type not among `offeredTypes` (one offered in
/// another case is taken as offered; the message names a few of them and their number); names
/// Windows can't make (WhyWindowsRefusesNames).
CheckedInput CheckInstallInput(const CodePage& codePage, const std::string& callLetters, const std::string& systemType,
                               const std::vector<std::string>& offeredTypes);

/// Makes C:\kel if needed, claims the first free C:\kel\<letters>-<type>NN (01 to 999), writes the
/// name into its marker file in the code page's bytes and runs KELSETUP-<type> <system directory>
/// <name> in the program directory, waiting for it. Every failure shows one message.
/// Refused, before anything is made: what CheckInstallInput refuses. NotRegistered: the program
/// runs from a network folder or from one that can't be entered, or its folder holds no file or more
/// than one that the interpreter would take for the command (all checked before anything is made);
/// the base directory, every number or the marker failed; or the claimed directory was swapped
/// before it could be held (then nothing is written into it or removed). What was claimed before a
/// marker failure is removed again, and the message names whatever could not be. An exception
/// leaves nothing claimed behind either, unless it comes once the command has been handed the
/// system. The claimed directory is held from the claim until the command has started. A store or
/// program folder that other users may change is judged, for the log, and used all the same.
/// RestartNeeded and RestartStarted: the command exited 3010 or 1641, done but for a restart.
/// CommandFailed: the command exited with any other status than these and 0; the system stays
/// registered.
SetupResult InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType,
                          const std::vector<std::string>& offeredTypes);

/// InstallSystem with the types the catalogue offers, read without a message.
SetupResult InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType);
