// The unsafe-character check, word quoting and the run of the external setup commands.
#include "setup/SetupCommand.h"

#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/Messages.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool IsIn(const char* set, char c)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

bool HasUnsafeCharacter(const std::string& text)
{
    return HasUnquotableCharacter(text) || text.find_first_of("\\/%") != std::string::npos;
}

bool HasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), IsControl);
}

bool HasUnquotableCharacter(const std::string& text)
{
    return HasControlCharacter(text) || text.find('"') != std::string::npos;
}

std::string QuoteWord(const std::string& word)
{
    // Inside double quotes the interpreter takes these literally, and the C run-time of the
    // command keeps the quoted word as one argument.
    const bool needsQuotes = std::any_of(word.begin(), word.end(), [](char c) { return IsIn(" \t&^(),;=|<>", c); });
    return needsQuotes ? "\"" + word + "\"" : word;
}

std::string InstallCommandLine(bool namedWithPath, const std::string& systemType, const std::string& systemDirectory,
                               const std::string& name)
{
    const char* here = namedWithPath ? ".\\" : "";
    return QuoteWord(here + ("KELSETUP-" + systemType)) + " " + QuoteWord(systemDirectory) + " " + QuoteWord(name);
}

std::string UpgradeCommandLine(const std::string& programDirectory, const std::string& systemType,
                               const std::string& name)
{
    return QuoteWord(programDirectory + systemType + "-UPGRADE") + " " + QuoteWord(name);
}

bool HasOneCommandFile(PlatformServices& os, const std::string& folder, const std::string& command)
{
    // The interpreter takes the first of several it finds (KELSETUP-LT.com before KELSETUP-LT.exe),
    // and looks on the search path when there is none here: neither need be the command meant.
    std::vector<std::string> files = os.CommandFiles(folder, command);
    if (files.size() == 1)
        return true;
    const std::string shown = folder.empty() ? os.CurrentDirectory() : folder;
    if (files.empty()) {
        os.ShowMessage(Format(msg::kCommandMissing, command.c_str(), shown.c_str()));
        return false;
    }
    std::sort(files.begin(), files.end());
    std::string names;
    for (const std::string& file : files)
        names += (names.empty() ? "" : ", ") + file;
    os.ShowMessage(Format(msg::kCommandAmbiguous, shown.c_str(), command.c_str(), names.c_str()));
    return false;
}

SetupResult RunSetupCommand(PlatformServices& os, const std::string& commandLine, const std::string& directory,
                            std::shared_ptr<void> held)
{
    CommandRun run(commandLine, directory);
    run.onStarted = [&held] { held.reset(); };
    const std::optional<int> status = os.RunCommand(run);
    if (status == 0)
        return SetupResult::Done;
    // A command that wraps a Windows Installer package ends so when its work is done and only a
    // restart is left: a failure here would make a deployment tool run it, and claim, again.
    if (status == kStatusRestartNeeded)
        return SetupResult::RestartNeeded;
    if (status == kStatusRestartStarted)
        return SetupResult::RestartStarted;
    // A command whose interpreter could not be started is shown with -1, as it always was.
    os.ShowMessage(Format(msg::kCommandFailed, commandLine.c_str(), status.value_or(-1)));
    return SetupResult::CommandFailed;
}
