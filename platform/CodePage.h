// The rules of the PC's ANSI code page for text the program holds as UTF-8: which characters it
// can write, how it lower-cases them and how the sorted lists order them.
#pragma once

#include <optional>
#include <string>

/// One code page's rules. Text is UTF-8 on both sides of every call except the code page's own
/// bytes, which only Encode gives and Decode takes.
class CodePage {
public:
    virtual ~CodePage() = default;

    /// The code page's bytes for `text`, when every character of it has an exact counterpart;
    /// nothing otherwise. A look-alike (Ł for L, ＂ for ") never stands in.
    virtual std::optional<std::string> Encode(const std::string& text) const = 0;

    /// `text` in the code page's bytes with "?" for each character it lacks: for a reader that
    /// takes only those bytes, never a look-alike that could be pasted back.
    virtual std::string EncodeShowing(const std::string& text) const = 0;

    /// The code page's `bytes` as UTF-8. A byte or pair that stands for no character comes out as
    /// a character that Encode then refuses.
    virtual std::string Decode(const std::string& bytes) const = 0;

    /// `text` lower-cased as the code page lower-cases its characters, a double-byte character kept
    /// whole; a character the code page lacks stays as it is.
    virtual std::string LowerCase(const std::string& text) const = 0;

    /// Negative, 0 or positive as `a` sorts before, with or after `b` in the system's sorted lists:
    /// ignoring case, by the user's locale.
    virtual int Compare(const std::string& a, const std::string& b) const = 0;
};

/// ISO 8859-1, where each byte is the character of the same number: the code page of the native
/// build, and a known one for tests of the rules that need a code page and nothing else. Lower-cases
/// A-Z and À-Þ (but ×); compares ignoring that case, then by bytes.
class Latin1CodePage : public CodePage {
public:
    std::optional<std::string> Encode(const std::string& text) const override;
    std::string EncodeShowing(const std::string& text) const override;
    std::string Decode(const std::string& bytes) const override;
    std::string LowerCase(const std::string& text) const override;
    int Compare(const std::string& a, const std::string& b) const override;
};
