// Cuts of paths; portable, no system calls of their own.
#include "platform/Characters.h"

#include <algorithm>
#include <cctype>

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

std::vector<std::string> CommandFileNames(const std::string& name, const std::string& extensions)
{
    const std::string list = extensions.empty() ? ".COM;.EXE;.BAT;.CMD" : extensions;
    const auto endsWith = [&name](const std::string& extension) {
        return name.size() > extension.size() &&
               std::equal(extension.begin(), extension.end(), name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                          [](char a, char b) {
                              return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                          });
    };
    std::vector<std::string> names;
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find(';', start), list.size());
        const std::string extension = list.substr(start, end - start);
        if (!extension.empty()) {
            names.push_back(name + extension);
            if (endsWith(extension))
                names.push_back(name);
        }
        start = end + 1;
    }
    return names;
}
