// The PC's ANSI code page, as Windows has it.
#pragma once

#include "platform/CodePage.h"

/// The code page Windows gives the A functions (GetACP), converted without best fit: a character
/// it lacks is refused, never turned into a look-alike.
class Win32CodePage : public CodePage {
public:
    std::optional<std::string> Encode(const std::string& text) const override;
    std::string EncodeShowing(const std::string& text) const override;
    /// MultiByteToWideChar; bytes 0x00 to 0x7F are the same characters in every ANSI code page.
    std::string Decode(const std::string& bytes) const override;
    /// CharLowerBuffA on the code page's bytes, character by character where the text is not all
    /// the code page's.
    std::string LowerCase(const std::string& text) const override;
    /// CompareStringW with the user's locale, ignoring case, as sorted lists compare.
    int Compare(const std::string& a, const std::string& b) const override;
};
