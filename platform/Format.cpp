// printf-style formatting into a string: measure first, then fill.
#include "platform/Format.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        // vsnprintf writes a terminating NUL, so fill one byte more and drop it again.
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}

std::string IsoTime(const LocalDateTime& time)
{
    const long away = time.minutesAheadOfUtc < 0 ? -time.minutesAheadOfUtc : time.minutesAheadOfUtc;
    return Format("%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02ld:%02ld", time.year, time.month, time.day, time.hour,
                  time.minute, time.second, time.millisecond, time.minutesAheadOfUtc < 0 ? '-' : '+', away / 60,
                  away % 60);
}
