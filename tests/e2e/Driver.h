// Drives a running Windows program from outside, as an operator would: its process, its windows
// found by caption and class, their controls, and what they show on screen.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

using Milliseconds = std::chrono::milliseconds;

/// How long a window may take to appear, change or go away before the driver gives up: sized for
/// a loaded two-core machine running Wine, where a dialog can take seconds to come.
inline constexpr Milliseconds kPatience{60000};

/// Thrown when a bounded wait runs out or a window stops answering; the message says what was
/// awaited.
class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Polls `ready` until it returns true; throws DriverError naming `what` once `limit` has passed.
void WaitUntil(const std::function<bool()>& ready, const std::string& what, Milliseconds limit = kPatience);

/// One started program. The destructor terminates it when it still runs, so a test that fails
/// half-way never leaves it behind.
class Process {
public:
    /// Starts `exePath` with its quoted path and `arguments` (each quoted by the C run-time's rules
    /// where needed) as its command line, in `workingDirectory`, with the driver's environment.
    /// With `pipes`, its standard output and error are pipes that the driver reads; with
    /// `outputReaderGone` too, nobody reads its standard output any more, as when the reader of a
    /// pipe ended first. Paths and arguments are UTF-8. Throws DriverError when it can't be started.
    Process(const std::string& exePath, const std::string& workingDirectory,
            const std::vector<std::string>& arguments = {}, bool pipes = false, bool outputReaderGone = false);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const;
    /// Waits for the program to end and returns its exit code; throws DriverError on a timeout.
    DWORD WaitForExit(Milliseconds limit = kPatience);
    /// Ends the program at once (nothing when it has ended already).
    void Terminate();
    /// Everything the program wrote to its standard output or error pipe; complete once it ended.
    std::string Output();
    std::string Errors();

private:
    struct Pipe;
    PROCESS_INFORMATION m_info{};
    std::unique_ptr<Pipe> m_output;
    std::unique_ptr<Pipe> m_errors;
};

/// Sets or replaces one variable of the driver's environment, which started programs inherit; an
/// empty value removes it.
void SetEnvironment(const std::string& name, const std::string& value);

// Windows and controls. Every message is sent with a time limit: a program that stops answering
// makes the call throw DriverError instead of hanging the driver.

/// The result of `message`; throws DriverError when the window doesn't answer in time.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
/// Queues `message` without waiting: used for anything that opens a modal window in the program.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

/// The text of a control (asked of the window itself), in UTF-8 as every text here.
std::string Text(HWND window);
/// The caption of a top-level window, read without disturbing its program.
std::string Caption(HWND window);
std::string ClassName(HWND window);
LONG Style(HWND window);
LONG ExtendedStyle(HWND window);
/// The direct children of `window` in creation order (for a dialog: its template order).
std::vector<HWND> Children(HWND window);
/// The visible top-level windows of process `processId` (any process when 0) with this class and
/// caption, topmost first; hidden ones too when told.
std::vector<HWND> TopWindows(DWORD processId, const std::string& className, const std::string& caption,
                             bool hiddenToo = false);
/// True when process `processId` shows any top-level window at all.
bool ShowsAnyWindow(DWORD processId);
/// The top-level windows owned by `owner` with this class, visible or not.
std::vector<HWND> OwnedWindows(HWND owner, const std::string& className);
/// The one visible top-level window with this class and caption; throws DriverError when none
/// appears in time.
HWND WaitForWindow(DWORD processId, const std::string& className, const std::string& caption,
                   Milliseconds limit = kPatience);
/// Waits until `window` has been destroyed; throws DriverError on a timeout.
void WaitUntilGone(HWND window, const std::string& what, Milliseconds limit = kPatience);
/// The control with `id` in `dialog`; throws DriverError when there is none.
HWND Control(HWND dialog, int id);

/// Presses a push button by posting the command it sends to its dialog (BN_CLICKED); the command
/// is posted even when the dialog has no such button, as for IDCANCEL from Escape.
void Press(HWND dialog, int id);
/// Clicks a button in place (BM_CLICK), for radio buttons and check boxes.
void Click(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::string& text);
/// The entries of a combo box's list, in list order.
std::vector<std::string> ListEntries(HWND combo);
/// Selects the entry spelt exactly `text` and tells the dialog, as the operator's choice would;
/// throws DriverError when the list has no such entry.
void Select(HWND combo, const std::string& text);
/// The selected entry's text, or "" when nothing is selected.
std::string SelectedEntry(HWND combo);

/// The window with the keyboard focus in the thread that owns `window`.
HWND FocusIn(HWND window);
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
/// The active window of the thread that owns `window`.
HWND ActiveIn(HWND window);

// Geometry.

/// `child`'s window rectangle relative to `parent`'s client area.
RECT RectIn(HWND child, HWND parent);
/// The client rectangle of `window` in screen coordinates.
RECT ClientOnScreen(HWND window);
RECT WindowRect(HWND window);
/// Dialog units of a dialog in 8-point "MS Sans Serif" converted to pixels the way the dialog
/// manager lays out controls: position and size each rounded on their own.
RECT DialogUnits(int x, int y, int width, int height);
/// The work area of the primary monitor.
RECT WorkArea();

// Message boxes.

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
/// Presses OK on a message box and waits until it has gone.
void Dismiss(const MessageBoxView& box);

// The screen.

/// The pixels of one screen rectangle, 0x00RRGGBB, row by row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

/// Copies a rectangle of the screen; throws DriverError when the screen can't be read.
Picture CaptureScreen(const RECT& area);
/// Writes a picture as a 24-bit BMP file; throws DriverError when it can't be written.
void SaveBitmap(const Picture& picture, const std::string& path);
/// Which of the system's message box icons (IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK,
/// IDI_QUESTION) an icon control shows, by comparing its pixels with each drawn here; nullptr
/// when it shows none of them.
LPCSTR ShownSystemIcon(HWND iconControl);

/// True when the caption bar of `window` shows the 16 x 16 icon with id `iconId` of the program
/// file `exePath`, found by its pixels (only where the icon is opaque) anywhere near the left end
/// of the caption. Needs a frame that Wine draws itself (see DrawnFrames).
bool CaptionShowsIcon(HWND window, const std::string& exePath, int iconId);

/// While it lives, programs started afterwards get window frames drawn by Wine rather than by
/// a window manager (there is none on a virtual display), so their captions can be seen. The
/// previous setting comes back afterwards. Nothing happens outside Wine.
class DrawnFrames {
public:
    DrawnFrames();
    ~DrawnFrames();
    DrawnFrames(const DrawnFrames&) = delete;
    DrawnFrames& operator=(const DrawnFrames&) = delete;

private:
    HKEY m_key = nullptr;
    bool m_hadValue = false;
    std::string m_previous;
};

}  // namespace e2e
