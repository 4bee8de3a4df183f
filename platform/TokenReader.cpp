// Token reading over a C run-time file, shared by every platform; no system calls of its own.
#include "platform/TokenReader.h"

#include <cctype>

void ReadTokensFrom(std::FILE* file, const std::function<void(const std::string&)>& sink)
{
    // Read in large chunks and keep a partial token across them, so a token of any length comes
    // out whole without reading byte by byte.
    std::string token;
    std::string chunk(64 * 1024, '\0');
    size_t got;
    while ((got = std::fread(&chunk[0], 1, chunk.size(), file)) > 0) {
        size_t start = 0;
        for (size_t i = 0; i < got; ++i) {
            if (std::isspace(static_cast<unsigned char>(chunk[i]))) {
                token.append(chunk, start, i - start);
                if (!token.empty())
                    sink(token);
                token.clear();
                start = i + 1;
            }
        }
        token.append(chunk, start, got - start);
    }
    if (!token.empty())
        sink(token);
}
