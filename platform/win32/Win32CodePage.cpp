// The ANSI code page's rules: Win32 calls only.
#include "platform/win32/Win32CodePage.h"

#include "unicode/Wide.h"

#include <windows.h>

namespace {

// `wide` in the code page, with `fallback` for each character it lacks; `lacking` tells whether any
// was. A system set to UTF-8 as its ANSI code page lacks nothing.
std::string ToCodePage(const std::wstring& wide, const char* fallback, bool& lacking)
{
    lacking = false;
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    if (GetACP() == CP_UTF8)
        return Narrow(wide);
    BOOL usedDefault = FALSE;
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, fallback, &usedDefault);
    std::string converted(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, &converted[0], bytes, fallback,
                            &usedDefault);
    lacking = bytes <= 0 || usedDefault;
    return converted;
}

std::wstring FromCodePage(const std::string& bytes)
{
    return Wide(bytes, CP_ACP);
}

std::string LowerBytes(std::string bytes)
{
    if (!bytes.empty())
        CharLowerBuffA(&bytes[0], static_cast<DWORD>(bytes.size()));
    return bytes;
}

}  // namespace

std::optional<std::string> Win32CodePage::Encode(const std::string& text) const
{
    bool lacking = false;
    std::string bytes = ToCodePage(Wide(text), nullptr, lacking);
    if (lacking)
        return std::nullopt;
    return bytes;
}

std::string Win32CodePage::EncodeShowing(const std::string& text) const
{
    bool lacking = false;
    return ToCodePage(Wide(text), "?", lacking);
}

std::string Win32CodePage::Decode(const std::string& bytes) const
{
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return Narrow(FromCodePage(bytes));
    }
    return bytes;
}

std::string Win32CodePage::LowerCase(const std::string& text) const
{
    // Lower-cased in the code page's bytes, as the program always did it, so that a name comes out
    // as it did on every code page; what the code page lacks can't be lowered that way and stays.
    if (const std::optional<std::string> bytes = Encode(text))
        return Decode(LowerBytes(*bytes));
    const std::wstring wide = Wide(text);
    std::wstring lower;
    for (size_t i = 0; i < wide.size();) {
        const size_t length = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() ? 2 : 1;
        const std::wstring character = wide.substr(i, length);
        bool lacking = false;
        const std::string bytes = ToCodePage(character, nullptr, lacking);
        lower += lacking ? character : FromCodePage(LowerBytes(bytes));
        i += length;
    }
    return Narrow(lower);
}

int Win32CodePage::Compare(const std::string& a, const std::string& b) const
{
    const std::wstring wideA = Wide(a);
    const std::wstring wideB = Wide(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                          wideB.data(), static_cast<int>(wideB.size())) -
           CSTR_EQUAL;
}
