// The log's stamps on a POSIX host: POSIX calls only.
#include "platform/Clock.h"

#include "platform/Format.h"

#include <ctime>
#include <sys/time.h>
#include <unistd.h>

std::string LocalTime()
{
    timeval now{};
    ::gettimeofday(&now, nullptr);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    return IsoTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                    static_cast<int>(now.tv_usec / 1000), local.tm_gmtoff / 60});
}

unsigned long ProcessId()
{
    return static_cast<unsigned long>(::getpid());
}
