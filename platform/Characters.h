// The cuts of a path that the program makes (where its last component starts, its extension) and
// the file names a bare command stands for.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

/// Where the last component of `path` starts: just after its last backslash, or 0 when it has
/// none. In UTF-8 no byte of a longer character is a backslash, so a plain search finds it.
size_t NameStart(const std::string& path);

/// `path` without the extension of its last component: everything from that component's last dot
/// on is dropped. Unchanged when the component has no dot or only a leading one.
/// "C:\kel.v2\setup.tool.exe" gives "C:\kel.v2\setup.tool".
std::string WithoutExtension(const std::string& path);

/// The file names the command interpreter tries for the bare command `name`: `name` with each
/// extension of `extensions` in its order (PATHEXT's form, ".COM;.EXE"; the interpreter's own
/// ".COM;.EXE;.BAT;.CMD" when it is empty), and `name` itself when it already ends in one of them,
/// ignoring ASCII case.
std::vector<std::string> CommandFileNames(const std::string& name, const std::string& extensions);
