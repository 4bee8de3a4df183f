// The install operation, on top of the platform services.
#include "setup/Install.h"

#include "platform/Environment.h"
#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/SetupCommand.h"
#include "setup/DeviceTypes.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"
#include "setup/WindowsNames.h"

#include <memory>

namespace {

// A directory this install claimed, held, and the marker it may hold, until they are handed to the
// install command. Whatever ends the install before that, a failure or an exception, removes them
// again: a directory without its command's work would be listed as a system that never was.
class Claim {
public:
    Claim(PlatformServices& os, std::string directory, std::string marker, std::shared_ptr<void> hold)
        : m_os(os), m_directory(std::move(directory)), m_marker(std::move(marker)), m_hold(std::move(hold))
    {
    }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    ~Claim()
    {
        try {
            Remove();
        } catch (...) {
            // Out of memory on the way out: what stays is said by the failure that got us here.
        }
    }

    /// Removes the marker (when there is one) and the directory, once. What could not be removed,
    /// for the operator to remove by hand: "" when nothing stays.
    std::string Remove()
    {
        if (!m_pending)
            return std::string();
        m_pending = false;
        // The hold keeps the directory from being removed, by us too.
        m_hold.reset();
        const bool markerStays = m_os.PathType(m_marker) != PathKind::Missing && !m_os.RemoveEntry(m_marker);
        if (m_os.RemoveEntry(m_directory))
            return std::string();
        return (markerStays ? m_marker + " and " : std::string()) + m_directory;
    }

    /// The command has the system now: it stays, whatever happens next. The hold goes with it, to be
    /// let go once the command has started.
    std::shared_ptr<void> HandOver()
    {
        m_pending = false;
        return std::move(m_hold);
    }

private:
    PlatformServices& m_os;
    std::string m_directory;
    std::string m_marker;
    std::shared_ptr<void> m_hold;
    bool m_pending = true;
};

// `message` and, when something stays, what to remove by hand.
std::string WithWhatStays(const std::string& message, const std::string& stays)
{
    return stays.empty() ? message : message + ". " + Format(msg::kLeftBehind, stays.c_str());
}

// Whether setup commands can start from `programFolder` and the interpreter would take no other
// file than the one for `command` there; says why not.
bool CanRunFrom(PlatformServices& os, const std::string& programFolder, const std::string& command)
{
    // The interpreter can't start in a network folder: it would fall back to the Windows folder
    // and not find the command, after the system had been claimed. Nor can it start in a folder
    // that isn't there to enter.
    if (programFolder.compare(0, 2, "\\\\") == 0) {
        os.ShowMessage(Format(msg::kNetworkFolder, programFolder.c_str()));
        return false;
    }
    if (!programFolder.empty() && os.PathType(programFolder) != PathKind::Directory) {
        os.ShowMessage(Format(msg::kFolderNotEntered, programFolder.c_str()));
        return false;
    }
    // Only the command beside the program: none would send the interpreter to the search path, and
    // of several it would take whichever it tries first.
    return HasOneCommandFile(os, programFolder, command);
}

// Makes the base directory when it is missing. A store or a program folder made before may let
// other users change it: its security is not ours to change, and nothing is refused for it; the
// log says so, for an administrator.
bool MakeStore(PlatformServices& os, const std::string& programFolder)
{
    const MakeDirResult base = os.MakeDirectory(kBaseDirectory);
    if (base == MakeDirResult::Failed) {
        os.ShowMessage(Format(msg::kCannotCreateBase, kBaseDirectory));
        return false;
    }
    if (base == MakeDirResult::AlreadyExists)
        os.FolderSafetyOf(kBaseDirectory);
    os.FolderSafetyOf(programFolder);
    return true;
}

// Claims the first free number for `prefix`, writes the marker and runs the install command of
// `type` in `programFolder`.
SetupResult Register(PlatformServices& os, const std::string& programFolder, const std::string& prefix,
                     const std::string& type)
{
    const CodePage& codePage = os.TextCodePage();
    // Making the directory is the claim: it succeeds for exactly one of several setups racing
    // for the same number, so no number is handed out twice.
    std::string name;
    std::string systemDirectory;
    for (int number = 1; number <= kLastSystemNumber && name.empty(); ++number) {
        std::string candidate = SystemName(prefix, number);
        std::string directory = SystemDirectory(kBaseDirectory, candidate);
        if (os.ClaimDirectory(directory)) {
            name = std::move(candidate);
            systemDirectory = std::move(directory);
        }
    }
    if (name.empty()) {
        os.ShowMessage(Format(msg::kNoFreeNumber, kBaseDirectory, prefix.c_str()));
        return SetupResult::NotRegistered;
    }
    // Ours from the claim until its command has started: what another user swaps in for it in
    // between (a link to elsewhere) is not written into, run in or removed.
    std::shared_ptr<void> hold = os.HoldDirectory(systemDirectory);
    if (!hold) {
        os.ShowMessage(Format(msg::kClaimSwapped, systemDirectory.c_str()));
        return SetupResult::NotRegistered;
    }
    const std::string markerPath = MarkerPath(codePage, systemDirectory);
    Claim claim(os, systemDirectory, markerPath, std::move(hold));
    // Lower-casing keeps every character in the code page, so the name encodes as its parts did.
    switch (os.WriteTextFile(markerPath, codePage.Encode(name).value_or(std::string()))) {
    case WriteResult::Written:
        break;
    case WriteResult::OpenFailed:
        os.ShowMessage(WithWhatStays(Format(msg::kMarkerNotOpened, markerPath.c_str()), claim.Remove()));
        return SetupResult::NotRegistered;
    case WriteResult::WriteFailed:
        os.ShowMessage(WithWhatStays(Format(msg::kMarkerNotWritten, markerPath.c_str()), claim.Remove()));
        return SetupResult::NotRegistered;
    }
    // The command is found in its directory, the program's. With this hardening option set the
    // interpreter looks there only for a name with a path, so it is named as one.
    const std::string line = InstallCommandLine(EnvironmentHas("NoDefaultCurrentDirectoryInExePath"), type,
                                                systemDirectory, name);
    return RunSetupCommand(os, line, codePage.LowerCase(programFolder), claim.HandOver());
}

// The install of a program in `programFolder`, ProgramDirectory's result.
SetupResult Install(PlatformServices& os, const std::string& programFolder, const std::string& callLetters,
                    const std::string& systemType, const std::vector<std::string>& offeredTypes)
{
    const CheckedInput input = CheckInstallInput(os.TextCodePage(), callLetters, systemType, offeredTypes);
    if (!input.refusal.empty()) {
        os.ShowMessage(input.refusal);
        return SetupResult::Refused;
    }
    if (!CanRunFrom(os, programFolder, "KELSETUP-" + input.type) || !MakeStore(os, programFolder))
        return SetupResult::NotRegistered;
    return Register(os, programFolder, NamePrefix(os.TextCodePage(), callLetters, input.type), input.type);
}

}  // namespace

CheckedInput CheckInstallInput(const CodePage& codePage, const std::string& callLetters, const std::string& systemType,
                               const std::vector<std::string>& offeredTypes)
{
    if (callLetters.empty() || systemType.empty())
        return {"", msg::kBothNeeded};
    if (HasControlCharacter(callLetters) || HasControlCharacter(systemType))
        return {"", msg::kControlCharacter};
    if (HasUnsafeCharacter(callLetters) || HasUnsafeCharacter(systemType))
        return {"", msg::kUnsafeInput};
    // The name goes into the marker in the code page's bytes, and other programs read it so: text
    // the code page can't write would come out as some other name.
    if (!codePage.Encode(callLetters))
        return {"", Format(msg::kLettersNotInCodePage, callLetters.c_str())};
    if (!codePage.Encode(systemType))
        return {"", Format(msg::kTypeNotInCodePage, systemType.c_str())};
    // Only a type the install dialog offers: any other would claim a directory and then find no
    // command to run. It is used as the catalogue spells it.
    const std::string* const known = FindName(codePage, offeredTypes, systemType);
    if (!known) {
        return {"", Format(msg::kTypeNotOffered, systemType.c_str(), static_cast<unsigned long>(offeredTypes.size()),
                           TypesForAMessage(codePage, offeredTypes).c_str())};
    }
    // By Windows' rules, not the file system's (Wine's has no path limit): a name Windows can't make
    // would fail every number, and one it takes for a device (NUL) would claim what is never there.
    return {*known, WhyWindowsRefusesNames(codePage, kBaseDirectory, callLetters, *known)};
}

SetupResult InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType,
                          const std::vector<std::string>& offeredTypes)
{
    return Install(os, ProgramDirectory(os), callLetters, systemType, offeredTypes);
}

SetupResult InstallSystem(PlatformServices& os, const std::string& callLetters, const std::string& systemType)
{
    const std::string programFolder = ProgramDirectory(os);
    return Install(os, programFolder, callLetters, systemType, OfferedDeviceTypes(os, programFolder));
}
