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
    } else if (number < 0x800) {
        text += static_cast<char>(0xC0 | (number >> 6));
        text += static_cast<char>(0x80 | (number & 0x3F));
    } else if (number < 0x10000) {
        text += static_cast<char>(0xE0 | (number >> 12));
        text += static_cast<char>(0x80 | ((number >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (number & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (number >> 18));
        text += static_cast<char>(0x80 | ((number >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((number >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (number & 0x3F));
    }
}
