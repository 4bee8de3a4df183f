// Walking UTF-8 text by its characters' numbers.
#pragma once

#include <cstddef>
#include <string>

/// The number of the character at `text[at]` and how many bytes it takes. A byte that starts no
/// well-formed character (a stray continuation, an overlong or cut-off form, a surrogate) is one
/// character of its own, numbered 0xFFFD, so that no input is lost or read past its end.
struct Utf8Character {
    char32_t number;
    size_t length;
};
Utf8Character NextCharacter(const std::string& text, size_t at);

/// Appends character `number` in UTF-8 (0xFFFD for a number that is no character).
void AppendCharacter(std::string& text, char32_t number);
