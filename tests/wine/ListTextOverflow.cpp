// Shows, outside the program, why an ANSI CB_GETLBTEXT of a long entry crashes under Wine: sent to
// a Unicode window (as every combo box of Common Controls 6 is), Wine converts the answer through a
// stack buffer of 512 characters, so an entry of 5,000 overruns it. Windows converts it whole.
//
//     wine list_text_overflow.exe
//
// prints how many characters it read and exits with 0 when it got them all, as on Windows; under
// Debian's Wine 8 it reads 0 (the stack beyond the buffer is overwritten; inside the program the
// same overrun ended in a page fault).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

WNDPROC g_comboProc = nullptr;

// A Unicode window procedure in front of the combo box makes it a Unicode window.
LRESULT CALLBACK Unicode(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(g_comboProc, window, message, wParam, lParam);
}

}  // namespace

int main()
{
    HWND combo = CreateWindowExW(0, L"ComboBox", L"", CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    g_comboProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Unicode)));
    const std::wstring entry(5000, L'Q');
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    std::string text(entry.size() + 1, '\0');
    const LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(&text[0]));
    std::printf("read %ld of %zu characters\n", static_cast<long>(copied), entry.size());
    DestroyWindow(combo);
    return copied == static_cast<LRESULT>(entry.size()) ? 0 : 1;
}
