// A path made full against a directory, as Windows makes it.
#include "setup/FullPath.h"

#include <cctype>

namespace {

bool IsSlash(char c)
{
    return c == '\\' || c == '/';
}

// True when `path` names a file without regard to the current directory: "C:\..." or "\\server\...".
bool IsFullPath(const std::string& path)
{
    return (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) ||
           (path.size() >= 3 && path[1] == ':' && IsSlash(path[2]));
}

// The drive (C:) or the share (\\server\share) a full path starts with; "" for neither.
std::string Root(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.size() < 2 || !IsSlash(path[0]) || !IsSlash(path[1]))
        return std::string();
    const size_t server = path.find_first_of("\\/", 2);
    const size_t share = server == std::string::npos ? server : path.find_first_of("\\/", server + 1);
    return path.substr(0, share);
}

}  // namespace

// `path` made full against `current` (a full directory path), as Windows would make it then.
std::string FullPath(const std::string& path, std::string current)
{
    if (path.empty() || IsFullPath(path))
        return path;
    if (IsSlash(path[0]))  // the root of the current drive, or of the share
        return Root(current) + path;
    std::string rest = path;
    if (path.size() >= 2 && path[1] == ':') {  // "D:file": relative on that drive
        rest = path.substr(2);
        if (current.size() < 2 || current[1] != ':' || std::toupper(static_cast<unsigned char>(current[0])) !=
                                                            std::toupper(static_cast<unsigned char>(path[0])))
            current = path.substr(0, 2);
    }
    if (!current.empty() && !IsSlash(current.back()))
        current += '\\';
    return current + rest;
}
