// Fuzz target: install and upgrade command lines, split back by the C run-time's argument rules,
// give exactly the intended words, and no interpreter metacharacter stands outside double quotes.
//
// The input is cut at line ends into call letters, a system type, a program path and a listed
// entry name. Pieces holding a double quote or a control character are passed over: Windows
// refuses both in file names, so such text can never name the system directory, the program's
// directory or a listed entry, and the setup stops before any command line is built. Strings are
// single-byte, as on the host services.
#include "platform/CommandLineWords.h"
#include "platform/host/HostPlatform.h"
#include "setup/CommandLine.h"
#include "setup/SystemStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

bool CanReachACommand(const std::string& text)
{
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"')
            return false;
    }
    return true;
}

// cmd.exe takes & | < > ^ literally only between a double quote and the next one.
bool MetacharacterOutsideQuotes(const std::string& line)
{
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c != '\0' && std::strchr("&|<>^", c) != nullptr)
            return true;
    }
    return false;
}

void Check(const std::string& line, const Words& intended)
{
    if (SplitCommandLine(line) != intended || MetacharacterOutsideQuotes(line))
        std::abort();
}

Words Pieces(const std::string& text)
{
    Words pieces(1);
    for (char c : text) {
        if (c == '\n')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    pieces.resize(4);
    return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static HostPlatform os("/");
    const Words pieces = Pieces(std::string(reinterpret_cast<const char*>(data), size));
    const std::string& letters = pieces[0];
    const std::string& type = pieces[1];
    const std::string& programPath = pieces[2];
    const std::string& listed = pieces[3];
    const int number = static_cast<int>(size % kLastSystemNumber) + 1;

    const std::string programDirectory = os.LowerCase(ProgramDirectory(os, programPath));
    const bool programUsable = CanReachACommand(programPath);

    if (CanReachACommand(letters) && CanReachACommand(type) && !HasUnsafeCharacter(os, letters) &&
        !HasUnsafeCharacter(os, type)) {
        const std::string name = SystemName(NamePrefix(os, letters, type), number);
        const std::string directory = SystemDirectory(kBaseDirectory, name);
        Check(InstallCommandLine(os, type, directory, name), {"KELSETUP-" + type, directory, name});
        // The upgrade of the system just made, as the upgrade dialog would run it.
        if (programUsable) {
            const std::string derived = DeriveSystemType(name);
            Check(UpgradeCommandLine(os, programDirectory, derived, name),
                  {programDirectory + derived + "-UPGRADE", name});
        }
    }

    // Any entry of the base directory with a dash is offered for upgrade.
    if (programUsable && CanReachACommand(listed) && listed.find('-') != std::string::npos &&
        !HasUnsafeCharacter(os, listed)) {
        const std::string derived = DeriveSystemType(listed);
        Check(UpgradeCommandLine(os, programDirectory, derived, listed), {programDirectory + derived + "-UPGRADE", listed});
    }
    return 0;
}
