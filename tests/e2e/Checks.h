// Checks of what an operator sees in a dialog or a message box, reported as test failures.
#pragma once

#include "tests/e2e/Driver.h"
#include "tests/e2e/Session.h"

#include <string>
#include <vector>

namespace e2e {

/// One control as the dialog should show it: id, window class, text and rectangle in dialog units.
/// An empty class skips the class and text checks; `styleMask`/`style` check chosen style bits.
struct ExpectedControl {
    int id;
    std::string className;
    std::string text;
    int x, y, width, height;
    LONG styleMask = 0;
    LONG style = 0;
};

/// The dialog's client area is `width` x `height` dialog units and it holds exactly `controls`,
/// in that order, each where and as it should be.
void ExpectDialogLayout(HWND dialog, int width, int height, const std::vector<ExpectedControl>& controls);

/// The caption shows the program's own icon (or, with `shown` false, no icon of the program).
void ExpectApplicationIcon(const Session& session, HWND dialog, bool shown = true);

/// The box shows exactly `text`, with the program's title as caption, one OK button and the
/// exclamation icon.
void ExpectMessage(const MessageBoxView& box, const std::string& text);

/// The window is centred over `area` (within a pixel, for odd sizes).
void ExpectCentredOver(HWND window, const RECT& area);

/// Chooses `radio` on the choice dialog, presses OK and waits for the dialog with `caption`.
HWND OpenFromChoice(Session& session, HWND choice, int radio, const std::string& caption);

/// Waits for the completion dialog over `dialog`, checks what it shows, presses its OK and waits
/// until both it and `dialog` have closed.
void ExpectCompletion(Session& session, HWND dialog);

}  // namespace e2e
