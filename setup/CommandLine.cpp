// The unsafe-character check and word quoting for the external setup command lines.
#include "setup/CommandLine.h"

#include "platform/Characters.h"
#include "platform/Format.h"
#include "setup/Messages.h"

#include <cstring>

namespace {

bool IsIn(const char* set, char c)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

}  // namespace

bool HasUnsafeCharacter(PlatformServices& os, const std::string& text)
{
    return AnySingleByte(os, text, [](char c, size_t) { return IsIn("\\/%", c); });
}

std::string QuoteWord(PlatformServices& os, const std::string& word)
{
    // Inside double quotes the interpreter takes these literally, and the C run-time of the
    // command keeps the quoted word as one argument.
    const bool needsQuotes = AnySingleByte(os, word, [](char c, size_t) { return IsIn(" \t&^(),;=|<>", c); });
    return needsQuotes ? "\"" + word + "\"" : word;
}

std::string InstallCommandLine(PlatformServices& os, const std::string& systemType,
                               const std::string& systemDirectory, const std::string& name)
{
    // The command is found in the current directory, the program's. With this hardening option
    // set the interpreter looks there only for a name with a path, so it is named as one.
    const char* here = os.EnvironmentHas("NoDefaultCurrentDirectoryInExePath") ? ".\\" : "";
    return QuoteWord(os, here + ("KELSETUP-" + systemType)) + " " + QuoteWord(os, systemDirectory) + " " +
           QuoteWord(os, name);
}

std::string UpgradeCommandLine(PlatformServices& os, const std::string& programDirectory,
                               const std::string& systemType, const std::string& name)
{
    return QuoteWord(os, programDirectory + systemType + "-UPGRADE") + " " + QuoteWord(os, name);
}

namespace {
bool g_commandRunning = false;
}

bool SetupCommandRunning()
{
    return g_commandRunning;
}

SetupResult RunSetupCommand(PlatformServices& os, const std::string& commandLine)
{
    struct Running {
        Running() { g_commandRunning = true; }
        ~Running() { g_commandRunning = false; }
    };
    std::optional<int> status;
    {
        const Running running;
        status = os.RunCommand(commandLine);
    }
    if (status == 0)
        return SetupResult::Done;
    // A command whose interpreter could not be started is shown with -1, as it always was.
    os.ShowMessage(Format(msg::kCommandFailed, commandLine.c_str(), status.value_or(-1)));
    return SetupResult::CommandFailed;
}
