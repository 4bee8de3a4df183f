// Fuzz target: DeriveSystemType and ProgramDirectory on arbitrary bytes, each checked against a
// character-by-character formulation of its rule.
#include "setup/SystemStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Deletes characters from the end until a backslash is last or nothing is left.
std::string ProgramDirectoryByDeletion(std::string text)
{
    while (!text.empty() && text.back() != '\\')
        text.pop_back();
    return text;
}

// Drops two characters, then walks back from the end collecting characters until a "-".
std::string SystemTypeByWalkingBack(const std::string& name)
{
    std::string reversed;
    for (size_t i = name.size() < 2 ? 0 : name.size() - 2; i > 0; --i) {
        if (name[i - 1] == '-')
            break;
        reversed += name[i - 1];
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Names are UTF-8, where no byte of a longer character is a backslash or a dash, as the
    // reference formulation assumes of every byte.
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string directory = ProgramDirectory(text);
    if (directory != ProgramDirectoryByDeletion(text))
        std::abort();
    // A prefix of the argument that is empty or ends in its last backslash.
    if (text.compare(0, directory.size(), directory) != 0 ||
        (!directory.empty() && text.find('\\', directory.size()) != std::string::npos))
        std::abort();

    const std::string type = DeriveSystemType(text);
    if (type != SystemTypeByWalkingBack(text))
        std::abort();
    // Every name made from this type gives it back, whatever its number.
    if (type.find('-') == std::string::npos) {
        for (int number : {1, 42, 99})
            if (DeriveSystemType(SystemName(text.substr(0, text.size() / 2) + "-" + type, number)) != type)
                std::abort();
    }
    return 0;
}
