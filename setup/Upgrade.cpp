// Installed-system discovery and the upgrade operation, on top of the platform services.
#include "setup/Upgrade.h"

#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/CommandLine.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

bool PathExists(PlatformServices& os, const std::string& path)
{
    return os.PathExists(path);
}

std::vector<std::string> ListInstalledSystems(PlatformServices& os, const std::string& baseDirectory)
{
    std::vector<std::string> systems;
    const std::string previous = os.CurrentDirectory();
    if (!os.ChangeDirectory(baseDirectory))
        return systems;
    for (std::string& entry : os.ListEntries()) {
        if (entry != "." && entry != ".." && entry.find('-') != std::string::npos)
            systems.push_back(std::move(entry));
    }
    // Put the current directory back so later relative look-ups (the catalogue beside a program
    // started by a bare name) resolve where they did before.
    os.ChangeDirectory(previous);
    return systems;
}

SetupResult UpgradeSystem(PlatformServices& os, const std::string& systemName, const std::string& systemType)
{
    // One at a time: nothing is claimed or run while another command is still running.
    if (SetupCommandRunning())
        return SetupResult::Refused;
    if (systemName.empty()) {
        os.ShowMessage(msg::kNoneSelected);
        return SetupResult::Refused;
    }
    // Anyone who can write in the base directory can make an entry; its name must not smuggle a
    // path or an interpreter variable into the command line.
    if (HasUnsafeCharacter(os, systemName) || HasUnsafeCharacter(os, systemType)) {
        os.ShowMessage(Format(msg::kUnsafeSystemName, systemName.c_str()));
        return SetupResult::Refused;
    }
    if (!PathExists(os, kBaseDirectory)) {
        os.ShowMessage(msg::kNothingToUpdate);
        return SetupResult::Refused;
    }
    // Only a system that is there, as the store spells it.
    const std::vector<std::string> installed = ListInstalledSystems(os, kBaseDirectory);
    const std::string* const listed = FindName(os, installed, systemName);
    if (!listed) {
        os.ShowMessage(Format(msg::kNotInstalled, systemName.c_str()));
        return SetupResult::Refused;
    }
    const std::string& name = *listed;
    const std::string type = name == systemName ? systemType : DeriveSystemType(name);
    // The command's first word is the program's own folder, and the interpreter would expand a
    // "%" in it as well. No double-byte character has "%" as its second byte, so a plain search
    // does.
    const std::string programDirectory = os.LowerCase(ProgramDirectory(os));
    if (programDirectory.find('%') != std::string::npos) {
        os.ShowMessage(Format(msg::kUnsafeProgramFolder, programDirectory.c_str()));
        return SetupResult::Refused;
    }
    os.ChangeDirectory(programDirectory);
    return RunSetupCommand(os, UpgradeCommandLine(os, programDirectory, type, name));
}
