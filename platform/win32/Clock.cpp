// The log's stamps on Windows: Win32 calls only.
#include "platform/Clock.h"

#include "platform/Format.h"

#include <windows.h>

std::string LocalTime()
{
    SYSTEMTIME utc;
    SYSTEMTIME local;
    GetSystemTime(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    // The offset from UTC is whatever the conversion applied, summer time included.
    FILETIME utcTime;
    FILETIME localTime;
    SystemTimeToFileTime(&utc, &utcTime);
    SystemTimeToFileTime(&local, &localTime);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    const long minutes = static_cast<long>((ticks(localTime) - ticks(utcTime)) / (10000000LL * 60));
    return IsoTime({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                    local.wMilliseconds, minutes});
}

unsigned long ProcessId()
{
    return GetCurrentProcessId();
}
