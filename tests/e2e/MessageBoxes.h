// Another program's message boxes: found, read and dismissed.
#pragma once

#include "tests/e2e/Waiting.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

/// What a message box shows.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons;  ///< ids of its visible buttons
    HWND iconControl = nullptr;
};

/// The first visible message box (a dialog with a text control 0xFFFF) of `processId`, or a
/// view with a null window when none is up.
MessageBoxView FindMessageBox(DWORD processId);
/// Waits for a message box of `processId`; throws DriverError when none appears in time.
MessageBoxView WaitForMessageBox(DWORD processId, Milliseconds limit = kPatience);
/// Presses OK on a message box and waits until it has gone; throws DriverError when it stays.
void Dismiss(const MessageBoxView& box);

}  // namespace e2e
