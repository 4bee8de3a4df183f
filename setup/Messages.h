// Every fixed text the setup operations show, once.
#pragma once

namespace msg {

// Install.
inline constexpr const char kCannotCreateBase[] = "Could not create kel subdirectory %s.  Check Permissions";
inline constexpr const char kNoFreeNumber[] = "Could not open any %s\\%snn subdirectories for output file";
inline constexpr const char kMarkerNotOpened[] = "Setup file %s could not be opened";
inline constexpr const char kMarkerNotWritten[] = "Setup file %s could not be written";
inline constexpr const char kUnsafeInput[] = "The call letters and the system type can't contain \\, / or %.";
inline constexpr const char kNetworkFolder[] =
    "Corvane can't run setup commands from the network folder %s. Copy it to a local folder or map a drive letter to "
    "it.";

// Install and upgrade.
inline constexpr const char kCommandFailed[] = "Setup command %s failed with exit code %d.";

// Upgrade.
inline constexpr const char kUnsafeSystemName[] = "The system name %s can't be used in a setup command.";

// Catalogue.
inline constexpr const char kCatalogueMissing[] =
    "The file keldevicetypes.dat won't open.  Using default list of devices";

}  // namespace msg
