// Messages to another program's windows: sent with a time limit, or posted.
#pragma once

#include "tests/e2e/Waiting.h"

#include <windows.h>

namespace e2e {

/// How long one sent message may take to be answered, in milliseconds; an external command may run
/// meanwhile.
inline constexpr UINT kAnswerLimitMs = 10000;

/// The result of `message`, sent in Unicode; throws DriverError when the window doesn't answer
/// within kAnswerLimitMs or has gone, so a program that stops answering never hangs the driver.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
/// Queues `message` without waiting: used for anything that opens a modal window in the program.
/// Throws DriverError when it can't be queued.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace e2e
