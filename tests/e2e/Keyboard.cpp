// Keys posted to another program's focus, and the waits for its focus and menus: Win32 calls only.
#include "tests/e2e/Keyboard.h"

#include "tests/e2e/Geometry.h"
#include "tests/e2e/Messages.h"
#include "tests/e2e/Screen.h"
#include "tests/e2e/WindowQueries.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace e2e {

HWND FocusIn(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

HWND ActiveIn(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndActive : nullptr;
}

HWND WaitForFocus(HWND window, Milliseconds limit)
{
    // A dialog is shown before the system has moved the focus into it, and a dialog that comes
    // back from under a closed one gets it only once its thread has seen the activation: a key
    // posted earlier goes to whichever window had the focus, or to none.
    HWND focus = nullptr;
    WaitUntil(
        [&] {
            focus = FocusIn(window);
            return focus == window || (focus && IsChild(window, focus));
        },
        "the focus in \"" + Caption(window) + "\"", limit);
    return focus;
}

HWND WaitForMenu(HWND owner, Milliseconds limit)
{
    // The menu's window shows, and the thread is in menu mode, before the menu reads keys as moves
    // in that window: a busy machine has read an arrow then without moving off the first (greyed)
    // entry, and Enter there closed the menu doing nothing. Once an entry is drawn selected, the
    // menu in the window is the one reading the keys.
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(owner, &processId);
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            if (!GetGUIThreadInfo(thread, &info) || (info.flags & GUI_INMENUMODE) == 0 || info.hwndMenuOwner != owner)
                return false;
            const std::vector<HWND> shown = TopWindows(processId, "#32768", "");
            menu = shown.empty() ? nullptr : shown.front();
            return menu && SelectedEntryTop(menu) >= 0;
        },
        "the menu of \"" + Caption(owner) + "\" to take keys", limit);
    return menu;
}

int SelectedEntryTop(HWND menu)
{
    // Classic menus draw the selection in the highlight colour, flat ones in the menu highlight.
    auto rgb = [](int index) {
        const COLORREF colour = GetSysColor(index);
        return static_cast<DWORD>(GetRValue(colour)) << 16 | static_cast<DWORD>(GetGValue(colour)) << 8 |
               GetBValue(colour);
    };
    const DWORD selected[] = {rgb(COLOR_HIGHLIGHT), rgb(COLOR_MENUHILIGHT)};
    const Picture picture = CaptureScreen(WindowRect(menu));
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        if (std::find(std::begin(selected), std::end(selected), picture.pixels[i]) != std::end(selected))
            return static_cast<int>(i / static_cast<size_t>(picture.width));
    }
    return -1;
}

void PressKey(HWND window, UINT key, bool alt)
{
    HWND focus = WaitForFocus(window);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const LPARAM context = alt ? LPARAM{1} << 29 : 0;
    Post(focus, down, key, 1 | context);
    Post(focus, down + 1, key, 1 | context | (LPARAM{3} << 30));
}

void TypeText(HWND window, const std::string& text)
{
    for (char c : text)
        Post(WaitForFocus(window), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void MoveFocusTo(HWND window, HWND target, UINT key)
{
    for (size_t presses = Children(window).size(); FocusIn(window) != target; --presses) {
        if (presses == 0)
            throw DriverError("the keys do not reach control " + std::to_string(GetDlgCtrlID(target)));
        HWND before = FocusIn(window);
        PressKey(window, key);
        WaitUntil([&] { return FocusIn(window) != before; }, "the focus to move");
    }
}

}  // namespace e2e
