// UTF-8 text as the UTF-16 the W functions take and give: the program's one conversion, for its
// windows and its system calls alike.
#pragma once

#include <cstddef>
#include <string>

/// UTF-8 `text` in UTF-16. A byte that starts no well-formed character becomes U+FFFD. With another
/// `codePage` (CP_ACP, say) `text` is taken as that code page's bytes.
std::wstring Wide(const std::string& text, unsigned codePage = 65001);

/// UTF-16 `text` of `length` characters in UTF-8. An unpaired surrogate becomes U+FFFD.
std::string Narrow(const wchar_t* text, size_t length);
inline std::string Narrow(const std::wstring& text)
{
    return Narrow(text.data(), text.size());
}
/// A NUL-terminated UTF-16 `text` (a file name the system found, the command line) in UTF-8.
std::string Narrow(const wchar_t* text);
