// Fuzz target: install and upgrade command lines, split back by the C run-time's argument rules,
// give exactly the intended words, and no interpreter metacharacter stands outside double quotes.
//
// The input is cut at line ends into call letters, a system type, a program path and a listed
// entry name, of any bytes. A piece holding a double quote or a control character must be refused
// by the checks the install and the upgrade make before any command line is built; of the rest,
// no double quote reaches a command line but the ones Corvane puts around a word.
#include "platform/CodePage.h"
#include "platform/ArgumentWords.h"
#include "setup/SetupCommand.h"
#include "setup/SystemStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

bool HoldsQuoteOrControl(const std::string& text)
{
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"')
            return true;
    }
    return false;
}

// Each double quote of the line opens a word or closes one: it stands at the line's start or after
// a blank, or at its end or before a blank, so none came from the text inside a word.
bool OnlyQuotesAroundWords(const std::string& line)
{
    bool open = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '"')
            continue;
        const bool opens = !open && (i == 0 || line[i - 1] == ' ');
        const bool closes = open && (i + 1 == line.size() || line[i + 1] == ' ');
        if (!opens && !closes)
            return false;
        open = !open;
    }
    return !open;
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
    if (SplitArguments(line) != intended || MetacharacterOutsideQuotes(line) || !OnlyQuotesAroundWords(line))
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
    static const Latin1CodePage codePage;
    const Words pieces = Pieces(std::string(reinterpret_cast<const char*>(data), size));
    const std::string& letters = pieces[0];
    const std::string& type = pieces[1];
    const std::string& programPath = pieces[2];
    const std::string& listed = pieces[3];
    const int number = static_cast<int>(size % kLastSystemNumber) + 1;

    // What no quoting carries never gets past the checks.
    for (const std::string* text : {&letters, &type, &listed}) {
        if (HoldsQuoteOrControl(*text) && !HasUnsafeCharacter(*text))
            std::abort();
    }
    const std::string programDirectory = codePage.LowerCase(ProgramDirectory(programPath));
    if (HoldsQuoteOrControl(programDirectory) && !HasUnquotableCharacter(programDirectory))
        std::abort();
    const bool programUsable = !HasUnquotableCharacter(programDirectory) && programDirectory.find('%') == std::string::npos;

    if (!HasUnsafeCharacter(letters) && !HasUnsafeCharacter(type)) {
        const std::string name = SystemName(NamePrefix(codePage, letters, type), number);
        const std::string directory = SystemDirectory(kBaseDirectory, name);
        Check(InstallCommandLine(number % 2 == 0, type, directory, name),
              {(number % 2 == 0 ? ".\\KELSETUP-" : "KELSETUP-") + type, directory, name});
        // The upgrade of the system just made, as the upgrade dialog would run it.
        if (programUsable) {
            const std::string derived = DeriveSystemType(name);
            Check(UpgradeCommandLine(programDirectory, derived, name), {programDirectory + derived + "-UPGRADE", name});
        }
    }

    // Any entry of the base directory with a dash is offered for upgrade.
    if (programUsable && listed.find('-') != std::string::npos && !HasUnsafeCharacter(listed)) {
        const std::string derived = DeriveSystemType(listed);
        Check(UpgradeCommandLine(programDirectory, derived, listed), {programDirectory + derived + "-UPGRADE", listed});
    }
    return 0;
}
