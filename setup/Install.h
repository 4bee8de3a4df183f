// Registering a new system: claim a numbered directory, write its marker, run the install command.
#pragma once

#include <string>

class PlatformServices;

/// Makes C:\kel if needed, claims the first free C:\kel\<letters>-<type>NN (01 to 999), writes the
/// name into its marker file, makes the program directory current and runs
/// KELSETUP-<type> <system directory> <name>, waiting for it. Returns true only when the command ran
/// and exited 0. Every failure shows one message and returns false; a directory claimed before a
/// marker failure is removed again. Call letters or a type holding \, / or % are refused before
/// anything is made.
bool InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType);
