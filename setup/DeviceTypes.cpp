// Reading the device type catalogue, with the built-in list as fallback.
#include "setup/DeviceTypes.h"

#include "platform/PlatformServices.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"

void LoadDeviceTypes(PlatformServices& os, const std::function<void(const std::string&)>& sink)
{
    // Not lower-cased: with an empty program directory the bare name resolves in the current directory.
    const std::string path = ProgramDirectory(os) + kCatalogueFileName;
    if (os.ReadTokens(path, sink) == ReadResult::Read)
        return;
    os.ShowMessage(msg::kCatalogueMissing);
    for (const char* type : {"LT", "WX", "PRM", "TR9", "GNX"})
        sink(type);
}
