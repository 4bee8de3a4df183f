// UTF-8 decoding and encoding; portable, no system calls.
#include "platform/Utf8.h"

Utf8Character NextCharacter(const std::string& text, size_t at)
{
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80)
        return {first, 1};
    size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || first > 0xF4 || at + length > text.size())
        return {0xFFFD, 1};
    char32_t number = first & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {0xFFFD, 1};
        number = (number << 6) | (byte(at + i) & 0x3F);
    }
    // The shortest form only, and no surrogate: anything else could hide a character from a check.
    static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (number < kSmallest[length] || number > 0x10FFFF || (number >= 0xD800 && number <= 0xDFFF))
        return {0xFFFD, 1};
    return {number, length};
}

void AppendCharacter(std::string& text, char32_t number)
{
    if (number > 0x10FFFF || (number >= 0xD800 && number <= 0xDFFF))
        number = 0xFFFD;
    if (number < 0x80) {
        text += static_cast<char>(number);
        return;
    }
    // A lead byte that counts the bytes, then six bits in each continuation byte.
    static const unsigned kLead[] = {0, 0xC0, 0xE0, 0xF0};
    const int continuations = number < 0x800 ? 1 : number < 0x10000 ? 2 : 3;
    text += static_cast<char>(kLead[continuations] | (number >> (6 * continuations)));
    for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6)
        text += static_cast<char>(0x80 | ((number >> shift) & 0x3F));
}
