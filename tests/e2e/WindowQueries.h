// Another program's windows: what each says of itself, and finding them and waiting for them.
#pragma once

#include "tests/e2e/Waiting.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

/// The text of a control (asked of the window itself), in UTF-8 as every text here; throws
/// DriverError when the window doesn't answer in time.
std::string Text(HWND window);
/// The caption of a top-level window, read without disturbing its program.
std::string Caption(HWND window);
std::string ClassName(HWND window);
LONG Style(HWND window);
LONG ExtendedStyle(HWND window);
/// The direct children of `window` in creation order (for a dialog: its template order).
std::vector<HWND> Children(HWND window);
/// The control with `id` in `dialog`; throws DriverError when there is none.
HWND Control(HWND dialog, int id);

/// The visible top-level windows of process `processId` (any process when 0), topmost first; hidden
/// ones too when told.
std::vector<HWND> VisibleTopWindows(DWORD processId, bool hiddenToo = false);
/// The visible top-level windows of process `processId` (any process when 0) with this class and
/// caption, topmost first; hidden ones too when told.
std::vector<HWND> TopWindows(DWORD processId, const std::string& className, const std::string& caption,
                             bool hiddenToo = false);
/// True when process `processId` shows any top-level window at all.
bool ShowsAnyWindow(DWORD processId);
/// The top-level windows owned by `owner` with this class, visible or not.
std::vector<HWND> OwnedWindows(HWND owner, const std::string& className);
/// The one visible top-level window with this class and caption; throws DriverError when none
/// appears in time, naming the windows the process shows instead.
HWND WaitForWindow(DWORD processId, const std::string& className, const std::string& caption,
                   Milliseconds limit = kPatience);
/// Waits until `window` has been destroyed; throws DriverError on a timeout.
void WaitUntilGone(HWND window, const std::string& what, Milliseconds limit = kPatience);

}  // namespace e2e
