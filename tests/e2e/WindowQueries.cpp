// Another program's windows, asked what they are and found among the top-level ones: Win32 only.
#include "tests/e2e/WindowQueries.h"

#include "unicode/Wide.h"
#include "tests/e2e/Messages.h"

namespace e2e {

namespace {

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::string Text(HWND window)
{
    // Ask for the length first and grow until the whole text fits: it may change in between.
    std::wstring text(static_cast<size_t>(Send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    for (;;) {
        const LRESULT length = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
        if (static_cast<size_t>(length) + 1 < text.size())
            return Narrow(text.data(), static_cast<size_t>(length));
        text.resize(text.size() * 2);
    }
}

std::string Caption(HWND window)
{
    // Read from the system's copy of the title: sending WM_GETTEXT would wait for a program that
    // is busy running a command.
    std::wstring title(64, L'\0');
    for (;;) {
        const int length = InternalGetWindowText(window, &title[0], static_cast<int>(title.size()));
        if (length <= 0)
            return std::string();
        if (static_cast<size_t>(length) + 1 < title.size()) {
            title.resize(static_cast<size_t>(length));
            break;
        }
        title.resize(title.size() * 2);
    }
    return Narrow(title);
}

std::string ClassName(HWND window)
{
    std::string name(64, '\0');
    for (;;) {
        const int length = GetClassNameA(window, &name[0], static_cast<int>(name.size()));
        if (length <= 0)
            return std::string();
        if (static_cast<size_t>(length) + 1 < name.size()) {
            name.resize(static_cast<size_t>(length));
            return name;
        }
        name.resize(name.size() * 2);
    }
}

LONG Style(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE);
}

LONG ExtendedStyle(HWND window)
{
    return GetWindowLongA(window, GWL_EXSTYLE);
}

std::vector<HWND> Children(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    // Windows keeps the first created child on top of the z-order, so this is creation order.
    return children;
}

HWND Control(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        throw DriverError("no control " + std::to_string(id) + " in \"" + Text(dialog) + "\"");
    return control;
}

std::vector<HWND> VisibleTopWindows(DWORD processId, bool hiddenToo)
{
    std::vector<HWND> all;
    EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> visible;
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((processId == 0 || owner == processId) && (hiddenToo || IsWindowVisible(window)))
            visible.push_back(window);
    }
    return visible;
}

std::vector<HWND> TopWindows(DWORD processId, const std::string& className, const std::string& caption,
                             bool hiddenToo)
{
    std::vector<HWND> found;
    for (HWND window : VisibleTopWindows(processId, hiddenToo)) {
        if (ClassName(window) == className && Caption(window) == caption)
            found.push_back(window);
    }
    return found;
}

bool ShowsAnyWindow(DWORD processId)
{
    return processId != 0 && !VisibleTopWindows(processId).empty();
}

std::vector<HWND> OwnedWindows(HWND owner, const std::string& className)
{
    std::vector<HWND> found;
    for (HWND window : VisibleTopWindows(0, /*hiddenToo=*/true)) {
        if (GetWindow(window, GW_OWNER) == owner && ClassName(window) == className)
            found.push_back(window);
    }
    return found;
}

HWND WaitForWindow(DWORD processId, const std::string& className, const std::string& caption, Milliseconds limit)
{
    HWND window = nullptr;
    try {
        WaitUntil(
            [&] {
                const std::vector<HWND> found = TopWindows(processId, className, caption);
                window = found.empty() ? nullptr : found.front();
                return window != nullptr;
            },
            "the window \"" + caption + "\"", limit);
    } catch (const DriverError& error) {
        // Say what the program shows instead.
        std::string shown;
        for (HWND other : VisibleTopWindows(processId))
            shown += " [" + ClassName(other) + " \"" + Caption(other) + "\"]";
        throw DriverError(std::string(error.what()) + "; showing:" + (shown.empty() ? " nothing" : shown));
    }
    return window;
}

void WaitUntilGone(HWND window, const std::string& what, Milliseconds limit)
{
    WaitUntil([window] { return !IsWindow(window); }, what + " to close", limit);
}

}  // namespace e2e
