// Reading the device type catalogue, with the built-in list as fallback.
#include "setup/DeviceTypes.h"

#include "platform/PlatformServices.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

namespace {

const char* const kDefaultTypes[] = {"LT", "WX", "PRM", "TR9", "GNX"};

ReadResult ReadCatalogue(PlatformServices& os, const std::function<void(const std::string&)>& sink)
{
    // Not lower-cased: with an empty program directory the bare name resolves in the current directory.
    return os.ReadTokens(ProgramDirectory(os) + kCatalogueFileName, sink);
}

}  // namespace

void LoadDeviceTypes(PlatformServices& os, const std::function<void(const std::string&)>& sink)
{
    if (ReadCatalogue(os, sink) == ReadResult::Read)
        return;
    os.ShowMessage(msg::kCatalogueMissing);
    for (const char* type : kDefaultTypes)
        sink(type);
}

std::vector<std::string> OfferedDeviceTypes(PlatformServices& os)
{
    std::vector<std::string> types;
    if (ReadCatalogue(os, [&types](const std::string& type) { types.push_back(type); }) != ReadResult::Read)
        types.assign(std::begin(kDefaultTypes), std::end(kDefaultTypes));
    return types;
}
