// printf-style formatting into a string of whatever length the result needs.
#pragma once

#include <string>

/// The text printf would produce for `format` and the arguments; never truncated.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
