// The install operation, on top of the platform services.
#include "setup/Install.h"

#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/CommandLine.h"
#include "setup/DeviceTypes.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

SetupResult InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType)
{
    // One at a time: nothing is claimed or run while another command is still running.
    if (SetupCommandRunning())
        return SetupResult::Refused;
    if (callLetters.empty() || systemType.empty()) {
        os.ShowMessage(msg::kBothNeeded);
        return SetupResult::Refused;
    }
    if (HasUnsafeCharacter(os, callLetters) || HasUnsafeCharacter(os, systemType)) {
        os.ShowMessage(msg::kUnsafeInput);
        return SetupResult::Refused;
    }
    // Only a type the install dialog offers: any other would claim a directory and then find no
    // command to run. It is used as the catalogue spells it.
    const std::vector<std::string> offered = OfferedDeviceTypes(os);
    const std::string* const known = FindName(os, offered, systemType);
    if (!known) {
        std::string types;
        for (const std::string& type : SortedAsListed(os, offered))
            types += (types.empty() ? "" : " ") + type;
        os.ShowMessage(Format(msg::kTypeNotOffered, systemType.c_str(), types.c_str()));
        return SetupResult::Refused;
    }
    const std::string& type = *known;
    // The interpreter can't start in a network folder: it would fall back to the Windows folder
    // and not find the command, after the system had been claimed.
    const std::string programFolder = ProgramDirectory(os);
    if (programFolder.compare(0, 2, "\\\\") == 0) {
        os.ShowMessage(Format(msg::kNetworkFolder, programFolder.c_str()));
        return SetupResult::NotRegistered;
    }
    if (os.MakeDirectory(kBaseDirectory) == MakeDirResult::Failed) {
        os.ShowMessage(Format(msg::kCannotCreateBase, kBaseDirectory));
        return SetupResult::NotRegistered;
    }
    const std::string programDirectory = os.LowerCase(programFolder);
    const std::string prefix = NamePrefix(os, callLetters, type);

    // Making the directory is the claim: it succeeds for exactly one of several setups racing
    // for the same number, so no number is handed out twice.
    std::string name;
    for (int number = 1; number <= kLastSystemNumber && name.empty(); ++number) {
        const std::string candidate = SystemName(prefix, number);
        if (os.ClaimDirectory(SystemDirectory(kBaseDirectory, candidate)))
            name = candidate;
    }
    if (name.empty()) {
        os.ShowMessage(Format(msg::kNoFreeNumber, kBaseDirectory, prefix.c_str()));
        return SetupResult::NotRegistered;
    }

    const std::string systemDirectory = SystemDirectory(kBaseDirectory, name);
    const std::string markerPath = MarkerPath(os, kBaseDirectory, name);
    switch (os.WriteTextFile(markerPath, name)) {
    case WriteResult::Written:
        break;
    case WriteResult::OpenFailed:
        os.ShowMessage(Format(msg::kMarkerNotOpened, markerPath.c_str()));
        os.RemoveEmptyDirectory(systemDirectory);
        return SetupResult::NotRegistered;
    case WriteResult::WriteFailed:
        // A directory without a complete marker would be listed as a system that never was.
        os.ShowMessage(Format(msg::kMarkerNotWritten, markerPath.c_str()));
        os.RemoveFile(markerPath);
        os.RemoveEmptyDirectory(systemDirectory);
        return SetupResult::NotRegistered;
    }

    // With an empty program directory this fails and the current directory stays as it was.
    os.ChangeDirectory(programDirectory);
    return RunSetupCommand(os, InstallCommandLine(os, type, systemDirectory, name));
}
