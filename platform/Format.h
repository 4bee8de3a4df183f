// printf-style formatting into a string of whatever length the result needs, and the one way the
// program writes a time.
#pragma once

#include <string>

/// The text printf would produce for `format` and the arguments; never truncated.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

/// A local date and time, and how far it is ahead of UTC (negative: behind).
struct LocalDateTime {
    int year, month, day, hour, minute, second, millisecond;
    long minutesAheadOfUtc;
};

/// `time` in ISO 8601, to the millisecond and with the offset from UTC:
/// 2026-12-08T10:15:30.123+01:00.
std::string IsoTime(const LocalDateTime& time);
