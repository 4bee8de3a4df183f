// Walking text character by character in the system's ANSI code page, where a character may take
// two bytes, and the cuts of a path that depend on it.
#pragma once

#include "platform/PlatformServices.h"

#include <cstddef>
#include <string>

/// Calls `visit(c, index)` for every single-byte character of `text`, passing over both bytes of
/// each double-byte character (a lead byte at the very end has no trail and counts as a character
/// of its own). Stops and returns true as soon as `visit` does; false when it never did.
template <typename Visit>
bool AnySingleByte(PlatformServices& os, const std::string& text, Visit visit)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (os.IsLeadByte(c) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (visit(static_cast<char>(c), i))
            return true;
    }
    return false;
}

/// Where the last component of `path` starts: just after its last backslash, or 0 when it has
/// none. A trail byte 0x5C of a double-byte character is no backslash (in Shift-JIS "\x83\x5C" is
/// one character).
size_t NameStart(PlatformServices& os, const std::string& path);

/// `path` without the extension of its last component: everything from that component's last dot
/// on is dropped. Unchanged when the component has no dot or only a leading one.
/// "C:\kel.v2\setup.tool.exe" gives "C:\kel.v2\setup.tool".
std::string WithoutExtension(PlatformServices& os, const std::string& path);
