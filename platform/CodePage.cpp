// The Latin-1 code page; portable, no system calls.
#include "platform/CodePage.h"

#include "platform/Utf8.h"

namespace {

char32_t LowerLatin1(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
}

// `text` in Latin-1 bytes with "?" for each character beyond it; `lacking` tells whether any was.
std::string ToLatin1(const std::string& text, bool& lacking)
{
    lacking = false;
    std::string bytes;
    for (size_t i = 0; i < text.size();) {
        const Utf8Character c = NextCharacter(text, i);
        lacking = lacking || c.number > 0xFF;
        bytes += c.number > 0xFF ? '?' : static_cast<char>(c.number);
        i += c.length;
    }
    return bytes;
}

}  // namespace

std::optional<std::string> Latin1CodePage::Encode(const std::string& text) const
{
    bool lacking = false;
    std::string bytes = ToLatin1(text, lacking);
    if (lacking)
        return std::nullopt;
    return bytes;
}

std::string Latin1CodePage::EncodeShowing(const std::string& text) const
{
    bool lacking = false;
    return ToLatin1(text, lacking);
}

std::string Latin1CodePage::Decode(const std::string& bytes) const
{
    std::string text;
    for (char byte : bytes)
        AppendCharacter(text, static_cast<unsigned char>(byte));
    return text;
}

std::string Latin1CodePage::LowerCase(const std::string& text) const
{
    std::string lower;
    for (size_t i = 0; i < text.size();) {
        const Utf8Character c = NextCharacter(text, i);
        if (c.number == 0xFFFD)  // kept as it came, whatever it was
            lower.append(text, i, c.length);
        else
            AppendCharacter(lower, LowerLatin1(c.number));
        i += c.length;
    }
    return lower;
}

int Latin1CodePage::Compare(const std::string& a, const std::string& b) const
{
    const int ignoringCase = LowerCase(a).compare(LowerCase(b));
    return ignoringCase != 0 ? ignoringCase : a.compare(b);
}
