// Messages to another program's windows, sent with a time limit or posted: Win32 calls only.
#include "tests/e2e/Messages.h"

#include "tests/e2e/WindowQueries.h"

#include <string>

namespace e2e {

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    // Unicode, as the program's windows are: a text sent or read is UTF-16.
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerLimitMs, &result)) {
        // Wine reports some answers across processes as a failure with no error set; only a
        // timeout or a vanished window means the program did not answer.
        const DWORD error = GetLastError();
        if (error == ERROR_TIMEOUT || !IsWindow(window))
            throw DriverError("window " + ClassName(window) + " did not answer message " + std::to_string(message) +
                              " (error " + std::to_string(error) + ")");
    }
    return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageA(window, message, wParam, lParam))
        throw DriverError("cannot post message " + std::to_string(message));
}

}  // namespace e2e
