// Token reading over a C run-time file, shared by every platform; no system calls of its own.
#include "platform/TokenReader.h"

#include "platform/File.h"

namespace {

// White space as isspace() has it in the C locale, and NUL: a byte no type can hold, which a text
// reader would take for the end of the token.
inline bool IsWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\0';
}

}  // namespace

bool ReadTokensFrom(std::FILE* file, const std::function<void(const std::string&)>& sink)
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
    // A read that failed ends the loop as the end of the file does; only the error flag tells.
    if (std::ferror(file))
        return false;
    if (!token.empty())
        sink(token);
    return true;
}

ReadResult ReadTokenFile(std::FILE* file, const std::function<void(const std::string&)>& sink)
{
    const File owned(file);
    if (!owned)
        return ReadResult::OpenFailed;
    return ReadTokensFrom(file, sink) ? ReadResult::Read : ReadResult::ReadFailed;
}
