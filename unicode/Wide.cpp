// UTF-8 and UTF-16: Win32 calls only.
#include "unicode/Wide.h"

#include <windows.h>

std::wstring Wide(const std::string& text, unsigned codePage)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string Narrow(const wchar_t* text)
{
    return Narrow(text, wcslen(text));
}

std::string Narrow(const wchar_t* text, size_t length)
{
    if (length == 0)
        return std::string();
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, size, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}
