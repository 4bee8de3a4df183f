// Token reading over a C run-time file, shared by every platform; no system calls of its own.
#include "platform/TokenReader.h"

#include "platform/File.h"

namespace {

// White space as isspace() has it in the C locale, without a library call per byte.
inline bool IsWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

void ReadTokensFrom(std::FILE* file, const std::function<void(const std::string&)>& sink)
{
    // Read in large chunks and keep a partial token across them, so a token of any length comes
    // out whole without reading byte by byte.
    std::string token;
    std::string chunk(64 * 1024, '\0');
    size_t got;
    while ((got = std::fread(&chunk[0], 1, chunk.size(), file)) > 0) {
        const char* const end = chunk.data() + got;
        const char* p = chunk.data();
        while (p != end) {
            const char* const start = p;
            while (p != end && !IsWhiteSpace(*p))
                ++p;
            token.append(start, p);
            if (p == end)
                break;  // the token may go on in the next chunk
            if (!token.empty())
                sink(token);
            token.clear();
            while (p != end && IsWhiteSpace(*p))
                ++p;
        }
    }
    if (!token.empty())
        sink(token);
}

ReadResult ReadTokenFile(const std::string& path, const std::function<void(const std::string&)>& sink)
{
    File file(path, "r");
    if (!file)
        return ReadResult::OpenFailed;
    ReadTokensFrom(file.Get(), sink);
    return ReadResult::Read;
}
