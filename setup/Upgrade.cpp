// Installed-system discovery and the upgrade operation, on top of the platform services.
#include "setup/Upgrade.h"

#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/SetupCommand.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

namespace {

// Anyone who can write in the base directory can make an entry; its name must not smuggle a path,
// an interpreter variable or a quote into the command line, nor be one Corvane never made.
bool UsableInCommand(PlatformServices& os, const std::string& name)
{
    return !HasUnsafeCharacter(name) && os.TextCodePage().Encode(name).has_value();
}

}  // namespace

bool PathExists(PlatformServices& os, const std::string& path)
{
    return os.PathType(path) != PathKind::Missing;
}

std::vector<std::string> ListInstalledSystems(PlatformServices& os, const std::string& baseDirectory)
{
    std::vector<std::string> systems;
    for (std::string& entry : os.ListEntries(baseDirectory)) {
        if (entry != "." && entry != ".." && entry.find('-') != std::string::npos)
            systems.push_back(std::move(entry));
    }
    return systems;
}

SetupResult UpgradeSystem(PlatformServices& os, const std::string& systemName)
{
    if (systemName.empty()) {
        os.ShowMessage(msg::kNoneSelected);
        return SetupResult::Refused;
    }
    if (!UsableInCommand(os, systemName)) {
        os.ShowMessage(Format(msg::kUnsafeSystemName, systemName.c_str()));
        return SetupResult::Refused;
    }
    if (!PathExists(os, kBaseDirectory)) {
        os.ShowMessage(msg::kNothingToUpdate);
        return SetupResult::Refused;
    }
    // Only a system that is there, as the store spells it.
    const std::vector<std::string> installed = ListInstalledSystems(os, kBaseDirectory);
    const std::string* const listed = FindName(os.TextCodePage(), installed, systemName);
    if (!listed) {
        os.ShowMessage(Format(msg::kNotInstalled, systemName.c_str()));
        return SetupResult::Refused;
    }
    const std::string& name = *listed;
    if (!UsableInCommand(os, name)) {
        os.ShowMessage(Format(msg::kUnsafeSystemName, name.c_str()));
        return SetupResult::Refused;
    }
    // The command's first word is the program's own folder: the interpreter would expand a "%" in
    // it as well, and a quote would end the quotes it is put in.
    const std::string programDirectory = os.TextCodePage().LowerCase(ProgramDirectory(os));
    if (programDirectory.find('%') != std::string::npos) {
        os.ShowMessage(Format(msg::kUnsafeProgramFolder, programDirectory.c_str()));
        return SetupResult::Refused;
    }
    if (HasUnquotableCharacter(programDirectory)) {
        os.ShowMessage(Format(msg::kUnquotableProgramFolder, programDirectory.c_str()));
        return SetupResult::Refused;
    }
    // Only the command in the program's folder, and only one: see the install.
    const std::string type = DeriveSystemType(name);
    if (!HasOneCommandFile(os, programDirectory, type + "-UPGRADE"))
        return SetupResult::CommandFailed;
    os.FolderSafetyOf(kBaseDirectory);
    os.FolderSafetyOf(programDirectory);
    return RunSetupCommand(os, UpgradeCommandLine(programDirectory, type, name), programDirectory);
}
