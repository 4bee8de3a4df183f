// Message boxes, told apart from other dialogs by their text control: Win32 calls only.
#include "tests/e2e/MessageBoxes.h"

#include "tests/e2e/Messages.h"
#include "tests/e2e/WindowQueries.h"

namespace e2e {

namespace {

// The id of the text in a message box.
constexpr int kMessageTextId = 0xFFFF;

}  // namespace

MessageBoxView FindMessageBox(DWORD processId)
{
    for (HWND window : VisibleTopWindows(processId)) {
        if (ClassName(window) != "#32770")
            continue;
        HWND text = GetDlgItem(window, kMessageTextId);
        if (!text || ClassName(text) != "Static")
            continue;
        MessageBoxView box;
        box.window = window;
        box.caption = Caption(window);
        box.text = Text(text);
        for (HWND child : Children(window)) {
            const std::string kind = ClassName(child);
            if (kind == "Button" && IsWindowVisible(child))
                box.buttons.push_back(GetDlgCtrlID(child));
            if (kind == "Static" && (Style(child) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
                box.iconControl = child;
        }
        return box;
    }
    return MessageBoxView{};
}

MessageBoxView WaitForMessageBox(DWORD processId, Milliseconds limit)
{
    MessageBoxView box;
    WaitUntil(
        [&] {
            box = FindMessageBox(processId);
            return box.window != nullptr;
        },
        "a message box", limit);
    return box;
}

void Dismiss(const MessageBoxView& box)
{
    Post(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntilGone(box.window, "the message box \"" + box.text + "\"");
}

}  // namespace e2e
