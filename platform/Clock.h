// What stamps each line of the log: the local time and the process.
#pragma once

#include <string>

/// The local date and time now in ISO 8601, to the millisecond and with the offset from UTC:
/// 2026-12-08T10:15:30.123+01:00.
std::string LocalTime();

/// The system's number for this process.
unsigned long ProcessId();
