// The keyboard: keys pressed and typed into another program, and the focus and menus that take them.
#pragma once

#include "tests/e2e/Waiting.h"

#include <windows.h>

#include <string>

namespace e2e {

/// The window with the keyboard focus in the thread that owns `window`.
HWND FocusIn(HWND window);
/// The active window of the thread that owns `window`.
HWND ActiveIn(HWND window);
/// Waits until the focus in `window`'s thread is on `window` or one of its controls, as it is once
/// a dialog can take keys (a window that has just appeared may not have it yet); throws
/// DriverError on a timeout. Returns the window that has it.
HWND WaitForFocus(HWND window, Milliseconds limit = kPatience);
/// Waits until the thread that owns `owner` tracks a menu for it (its window menu opened from the
/// keyboard, say) and shows that menu with an entry selected: only from then on does an arrow key
/// move from that entry. Returns the menu's window; throws DriverError on a timeout.
HWND WaitForMenu(HWND owner, Milliseconds limit = kPatience);
/// The top of the selected entry in the menu window `menu`, relative to the window, found by the
/// selection's colour on screen; -1 when none is drawn selected.
int SelectedEntryTop(HWND menu);
/// Presses and releases `key` in the window that has the focus in `window`'s thread, as the
/// keyboard would (with Alt held when `alt`), once `window` has the focus (see WaitForFocus); the
/// dialog's own loop, or a menu it tracks, reads it.
void PressKey(HWND window, UINT key, bool alt = false);
/// Types `text` into the window that has the focus in `window`'s thread, once `window` has it.
void TypeText(HWND window, const std::string& text);
/// Presses `key` until the focus in `window`'s thread is on `target`; throws DriverError when it
/// doesn't get there within as many presses as `window` has controls.
void MoveFocusTo(HWND window, HWND target, UINT key = VK_TAB);

}  // namespace e2e
