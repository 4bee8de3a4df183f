// Fuzz target: the catalogue reader hands over exactly the tokens of any bytes, separated by white
// space and NUL, including tokens and blanks that straddle the reader's chunk boundaries.
#include "platform/TokenReader.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

Tokens TokensByScanning(const std::string& text)
{
    Tokens tokens;
    bool inToken = false;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '\0') {
            inToken = false;
        } else {
            if (!inToken)
                tokens.emplace_back();
            tokens.back() += c;
            inToken = true;
        }
    }
    return tokens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    // One input in eight gets filler in front (its first byte says which), so the rest lands on
    // the reader's 64 KiB chunk boundary, or on the second one, instead of inside the first chunk.
    if (text.size() >= 2 && (text[0] & 7) == 7) {
        const size_t chunks = (text[0] & 8) != 0 ? 2 : 1;
        const size_t length = chunks * 64 * 1024 - static_cast<unsigned char>(text[1]);
        text.insert(0, length, (text[0] & 16) != 0 ? 'x' : ' ');
    }

    // A memory stream: the reader sees an ordinary FILE without a system call per input.
    std::FILE* file = ::fmemopen(&text[0], text.size(), "r");
    if (!file)
        std::abort();
    Tokens read;
    const bool whole = ReadTokensFrom(file, [&read](const std::string& token) { read.push_back(token); });
    std::fclose(file);
    if (!whole || read != TokensByScanning(text))
        std::abort();
    return 0;
}
