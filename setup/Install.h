// Registering a new system: claim a numbered directory, write its marker, run the install command.
#pragma once

#include "setup/SetupResult.h"

#include <string>

class PlatformServices;

/// Makes C:\kel if needed, claims the first free C:\kel\<letters>-<type>NN (01 to 999), writes the
/// name into its marker file, makes the program directory current and runs
/// KELSETUP-<type> <system directory> <name>, waiting for it. Every failure shows one message.
/// Refused, before anything is made: while another setup command runs; empty call letters or type;
/// either holding \, / or %; a type the catalogue doesn't offer (one offered in another case is used
/// as the catalogue spells it). NotRegistered: the
/// program runs from a network folder (\\server\share\..., checked before anything is made), or
/// the base directory, every number or the marker failed; a directory claimed before a marker
/// failure is removed again. CommandFailed: the command did not exit 0; the system stays registered.
SetupResult InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType);
