// The cuts of a path that the program makes: where its last component starts, and its extension.
#pragma once

#include <cstddef>
#include <string>

/// Where the last component of `path` starts: just after its last backslash, or 0 when it has
/// none. In UTF-8 no byte of a longer character is a backslash, so a plain search finds it.
size_t NameStart(const std::string& path);

/// `path` without the extension of its last component: everything from that component's last dot
/// on is dropped. Unchanged when the component has no dot or only a leading one.
/// "C:\kel.v2\setup.tool.exe" gives "C:\kel.v2\setup.tool".
std::string WithoutExtension(const std::string& path);
