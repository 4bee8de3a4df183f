// A dialog's controls worked through their messages: Win32 calls only.
#include "tests/e2e/Controls.h"

#include "unicode/Wide.h"
#include "tests/e2e/Messages.h"
#include "tests/e2e/WindowQueries.h"

#include <algorithm>

namespace e2e {

void Press(HWND dialog, int id)
{
    // IDCANCEL comes without a button too, as Escape and the close box send it.
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id)
{
    Send(Control(dialog, id), BM_CLICK);
}

bool IsChecked(HWND dialog, int id)
{
    return Send(Control(dialog, id), BM_GETCHECK) == BST_CHECKED;
}

void SetText(HWND dialog, int id, const std::string& text)
{
    const std::wstring wide = Wide(text);
    Send(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

namespace {

// The list is read in UTF-16: Wine hands list texts across processes in that form only.
std::string EntryText(HWND combo, WPARAM index)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_NORMAL, kAnswerLimitMs, &length) ||
        static_cast<LRESULT>(length) == CB_ERR)
        throw DriverError("no list entry " + std::to_string(index));
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                             kAnswerLimitMs, &copied) ||
        static_cast<LRESULT>(copied) == CB_ERR)
        throw DriverError("cannot read list entry " + std::to_string(index));
    text.resize(std::min(static_cast<size_t>(copied), text.size() - 1));
    return Narrow(text);
}

}  // namespace

std::vector<std::string> ListEntries(HWND combo)
{
    std::vector<std::string> entries;
    const LRESULT count = Send(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i)
        entries.push_back(EntryText(combo, static_cast<WPARAM>(i)));
    return entries;
}

void Select(HWND combo, const std::string& text)
{
    const std::vector<std::string> entries = ListEntries(combo);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text) {
            if (Send(combo, CB_SETCURSEL, i) != static_cast<LRESULT>(i))
                throw DriverError("cannot select \"" + text + "\"");
            Post(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
            return;
        }
    }
    throw DriverError("the list has no entry \"" + text + "\"");
}

std::string SelectedEntry(HWND combo)
{
    const LRESULT index = Send(combo, CB_GETCURSEL);
    return index == CB_ERR ? std::string() : EntryText(combo, static_cast<WPARAM>(index));
}

}  // namespace e2e
