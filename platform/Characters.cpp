// Character-aware cuts of paths; portable, no system calls of their own.
#include "platform/Characters.h"

size_t NameStart(PlatformServices& os, const std::string& path)
{
    size_t start = 0;
    AnySingleByte(os, path, [&start](char c, size_t index) {
        if (c == '\\')
            start = index + 1;
        return false;
    });
    return start;
}

std::string WithoutExtension(PlatformServices& os, const std::string& path)
{
    // A dot is never the trail byte of a double-byte character, so a plain search finds it.
    const size_t name = NameStart(os, path);
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && dot > name ? path.substr(0, dot) : path;
}
