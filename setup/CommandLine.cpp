// The unsafe-character check and word quoting for the external setup command lines.
#include "setup/CommandLine.h"

#include "platform/PlatformServices.h"
#include "setup/Format.h"
#include "setup/Messages.h"

#include <cstring>

namespace {

// Calls `visit` with each single-byte character of `text`, skipping both bytes of every
// double-byte character; stops early when `visit` returns true.
template <typename Visit>
bool AnySingleByte(PlatformServices& os, const std::string& text, Visit visit)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (os.IsLeadByte(c) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (visit(static_cast<char>(c)))
            return true;
    }
    return false;
}

bool IsIn(const char* set, char c)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

}  // namespace

bool HasUnsafeCharacter(PlatformServices& os, const std::string& text)
{
    return AnySingleByte(os, text, [](char c) { return IsIn("\\/%", c); });
}

std::string QuoteWord(PlatformServices& os, const std::string& word)
{
    // Inside double quotes the interpreter takes these literally, and the C run-time of the
    // command keeps the quoted word as one argument.
    const bool needsQuotes = AnySingleByte(os, word, [](char c) { return IsIn(" \t&^(),;=|<>", c); });
    return needsQuotes ? "\"" + word + "\"" : word;
}

std::string InstallCommandLine(PlatformServices& os, const std::string& systemType,
                               const std::string& systemDirectory, const std::string& name)
{
    return QuoteWord(os, "KELSETUP-" + systemType) + " " + QuoteWord(os, systemDirectory) + " " +
           QuoteWord(os, name);
}

std::string UpgradeCommandLine(PlatformServices& os, const std::string& programDirectory,
                               const std::string& systemType, const std::string& name)
{
    return QuoteWord(os, programDirectory + systemType + "-UPGRADE") + " " + QuoteWord(os, name);
}

bool RunSetupCommand(PlatformServices& os, const std::string& commandLine)
{
    const int status = os.RunCommand(commandLine);
    if (status == 0)
        return true;
    os.ShowMessage(Format(msg::kCommandFailed, commandLine.c_str(), status));
    return false;
}
