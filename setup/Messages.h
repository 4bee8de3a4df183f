// Every fixed text the program shows, once.
#pragma once

namespace msg {

// The checks of an install's and an upgrade's input, and the choice dialog's.
inline constexpr const char kBothNeeded[] = "You have to select both call letters and system devices.";
inline constexpr const char kNoneSelected[] = "You have to select a system device.";
inline constexpr const char kNothingToUpdate[] = "You don't have any systems installed to update.";

// Install.
inline constexpr const char kCannotCreateBase[] = "Could not create kel subdirectory %s.  Check Permissions";
inline constexpr const char kNoFreeNumber[] = "Could not open any %s\\%snn subdirectories for output file";
inline constexpr const char kMarkerNotOpened[] = "Setup file %s could not be opened";
inline constexpr const char kMarkerNotWritten[] = "Setup file %s could not be written";
inline constexpr const char kUnsafeInput[] =
    "The call letters and the system type can't contain \\, /, % or a double quote.";
inline constexpr const char kLettersNotInCodePage[] = "The call letters %s can't be written in this PC's code page.";
inline constexpr const char kTypeNotInCodePage[] = "The system type %s can't be written in this PC's code page.";
inline constexpr const char kFolderNotEntered[] =
    "Corvane can't start setup commands in its folder %s, as it can't be entered. Nothing was registered.";
inline constexpr const char kLeftBehind[] = "%s could not be removed: remove it by hand.";
inline constexpr const char kNetworkFolder[] =
    "Corvane can't run setup commands from the network folder %s. Copy it to a local folder or map a drive letter to "
    "it.";
inline constexpr const char kControlCharacter[] =
    "The call letters and the system type can't contain a control character (a tab or a line end, say).";
inline constexpr const char kDeviceName[] =
    "The call letters %s can't be used: Windows takes a name that is %s before its first dot for a device.";
inline constexpr const char kNameTooLong[] =
    "The call letters and the system type are too long for Windows: with a three-digit number the system directory "
    "would have %d characters and its setup file's path %d, where Windows takes %d and %d.";

// Install and upgrade.
inline constexpr const char kCommandFailed[] = "Setup command %s failed with exit code %d.";
inline constexpr const char kCommandMissing[] =
    "There is no setup command %s in Corvane's folder %s. Nothing was registered or run.";
inline constexpr const char kCommandAmbiguous[] =
    "Corvane's folder %s holds more than one file the command interpreter could take for the setup command %s: %s. "
    "Keep only the one meant. Nothing was registered or run.";
inline constexpr const char kClaimSwapped[] =
    "The directory %s was replaced by a link or moved right after Corvane made it: nothing was written into it and "
    "nothing was run. Someone else on this PC may be changing C:\\kel; check it, and remove that entry by hand.";

// The log only: folders that other users of the PC may change. Nothing is refused for them.
inline constexpr const char kStoreOpenToOthers[] =
    "warning: users other than administrators may change what is in %s, so any of them could alter a registered "
    "system. An administrator can protect it as Corvane makes it new: icacls \"%s\" /inheritance:r /grant:r "
    "*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX *S-1-5-32-545:(AD)";
inline constexpr const char kProgramFolderOpenToOthers[] =
    "warning: users other than administrators may change what is in %s, Corvane's folder, so any of them could "
    "replace a setup command. Keep Corvane and its setup commands in a folder only administrators can change, such "
    "as one under C:\\Program Files.";

// Upgrade.
inline constexpr const char kUnsafeSystemName[] = "The system name %s can't be used in a setup command.";
inline constexpr const char kUnsafeProgramFolder[] =
    "Corvane can't run upgrade commands from the folder %s: its name holds %%. Rename the folder or copy Corvane to "
    "another one.";
inline constexpr const char kUnquotableProgramFolder[] =
    "Corvane can't run upgrade commands from the folder %s: its name holds a double quote or a control character. "
    "Rename the folder or copy Corvane to another one.";

// Catalogue.
inline constexpr const char kCatalogueMissing[] =
    "The file keldevicetypes.dat won't open.  Using default list of devices";

// The command line.
inline constexpr const char kTypeNotOffered[] = "The system type %s is not one of the %lu types offered (%s).";
inline constexpr const char kNotInstalled[] = "No system named %s is installed in C:\\kel.";
inline constexpr const char kLogNotOpened[] = "The log file %s can't be opened.";
inline constexpr const char kLogLineLost[] =
    "A line could not be added to the log file %s, and the log may lack others of this run: %s";
inline constexpr const char kUnknownArgument[] = "Corvane doesn't know the argument %s.";
inline constexpr const char kMissingArgument[] = "%s needs %s.";
inline constexpr const char kOneAction[] = "Only one of /install, /upgrade, /list and /? can be given.";
inline constexpr const char kQuietAlone[] = "/quiet goes with /install or /upgrade only.";
inline constexpr const char kOnceAlone[] = "/once goes with /install only.";
inline constexpr const char kAlreadyRegistered[] = "The system %s is registered already: nothing was installed.";
inline constexpr const char kListNotWritten[] = "The list of systems could not be written to standard output.";
inline constexpr const char kUnexpectedFailure[] =
    "Corvane stopped on an unexpected failure (%s). What this run had made and not yet handed to a setup command was "
    "removed.";
inline constexpr const char kUsage[] =
    "Usage:\r\n"
    "  corvane /install <call letters> <system type> [/once] [/quiet] [/log <file>]\r\n"
    "  corvane /upgrade <system name> [/quiet] [/log <file>]\r\n"
    "  corvane /list [/log <file>]\r\n"
    "  corvane /?\r\n"
    "Without arguments, or with only /log <file>, Corvane opens its dialogs.\r\n"
    "/once installs only when no system of these call letters and this type is registered.\r\n"
    "Exit codes: 0 done, 1 usage, 2 refused input, 3 system not registered, 4 setup command failed,\r\n"
    "5 Windows sockets not started, 6 output not written, 7 unexpected failure,\r\n"
    "8 already registered (/once), 3010 done but Windows must restart, 1641 done and restarting.\r\n";

}  // namespace msg
