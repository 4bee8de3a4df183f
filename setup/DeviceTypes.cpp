// Reading the device type catalogue, with the built-in list as fallback.
#include "setup/DeviceTypes.h"

#include "platform/PlatformServices.h"
#include "platform/Utf8.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

namespace {

const char* const kDefaultTypes[] = {"LT", "WX", "PRM", "TR9", "GNX"};

// The catalogue's types, or nothing when it doesn't open or can't be read to its end: a list cut
// short would pass for the whole of it.
std::optional<std::vector<std::string>> ReadCatalogue(PlatformServices& os, const std::string& programDirectory)
{
    const CodePage& codePage = os.TextCodePage();
    std::vector<std::string> types;
    // Not lower-cased: with an empty program directory the bare name resolves in the current directory.
    const ReadResult read = os.ReadTokens(programDirectory + kCatalogueFileName, [&](const std::string& token) {
        types.push_back(codePage.Decode(token));
    });
    if (read != ReadResult::Read)
        return std::nullopt;
    return types;
}

std::vector<std::string> Defaults()
{
    return std::vector<std::string>(std::begin(kDefaultTypes), std::end(kDefaultTypes));
}

}  // namespace

std::vector<std::string> LoadDeviceTypes(PlatformServices& os)
{
    if (std::optional<std::vector<std::string>> types = ReadCatalogue(os, ProgramDirectory(os)))
        return std::move(*types);
    os.ShowMessage(msg::kCatalogueMissing);
    return Defaults();
}

std::vector<std::string> OfferedDeviceTypes(PlatformServices& os, const std::string& programDirectory)
{
    std::optional<std::vector<std::string>> types = ReadCatalogue(os, programDirectory);
    return types ? std::move(*types) : Defaults();
}

std::string TypesForAMessage(const CodePage& codePage, const std::vector<std::string>& types)
{
    const size_t shown = 5;
    const size_t longest = 32;
    std::string text;
    for (const std::string& type : FirstAsListed(codePage, types, shown)) {
        std::string word;
        for (size_t at = 0, characters = 0; at < type.size() && characters < longest; ++characters) {
            const size_t length = NextCharacter(type, at).length;
            word.append(type, at, length);
            at += length;
        }
        text += (text.empty() ? "" : " ") + word + (word.size() < type.size() ? "..." : "");
    }
    return types.size() > shown ? text + " ..." : text;
}
