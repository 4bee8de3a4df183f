// Where windows are on the screen, and the dialog units their templates are laid out in.
#pragma once

#include <windows.h>

namespace e2e {

/// `child`'s window rectangle relative to `parent`'s client area.
RECT RectIn(HWND child, HWND parent);
/// The client rectangle of `window` in screen coordinates.
RECT ClientOnScreen(HWND window);
RECT WindowRect(HWND window);
/// Dialog units of a dialog in 8-point "MS Sans Serif" converted to pixels the way the dialog
/// manager lays out controls: position and size each rounded on their own. Throws DriverError when
/// the reference dialog that measures them can't be made.
RECT DialogUnits(int x, int y, int width, int height);
/// The work area of the primary monitor.
RECT WorkArea();

}  // namespace e2e
