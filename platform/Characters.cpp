// Cuts of paths; portable, no system calls of their own.
#include "platform/Characters.h"

size_t NameStart(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string WithoutExtension(const std::string& path)
{
    const size_t name = NameStart(path);
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && dot > name ? path.substr(0, dot) : path;
}
