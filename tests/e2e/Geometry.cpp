// Window rectangles and dialog units, measured in the driver's own process: Win32 calls only.
#include "tests/e2e/Geometry.h"

#include "tests/e2e/Waiting.h"

#include <vector>

namespace e2e {

namespace {

INT_PTR CALLBACK InertDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The pixel size of 4 horizontal and 8 vertical dialog units, measured on a hidden dialog of our
// own in the same font: the program's dialogs live in another process, where MapDialogRect can't
// reach them.
RECT BaseUnits()
{
    static RECT units = [] {
        std::vector<WORD> layout;
        auto push32 = [&layout](DWORD value) {
            layout.push_back(LOWORD(value));
            layout.push_back(HIWORD(value));
        };
        push32(DS_SETFONT | WS_POPUP);  // style
        push32(0);                      // extended style
        layout.push_back(0);            // no controls
        for (int i = 0; i < 4; ++i)     // x, y, cx, cy
            layout.push_back(0);
        layout.push_back(0);  // no menu
        layout.push_back(0);  // standard dialog class
        layout.push_back(0);  // no title
        layout.push_back(8);  // point size
        for (const char* c = "MS Sans Serif"; *c; ++c)
            layout.push_back(static_cast<WORD>(*c));
        layout.push_back(0);
        HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                                 reinterpret_cast<LPCDLGTEMPLATEA>(layout.data()), nullptr,
                                                 &InertDialog, 0);
        if (!dialog)
            throw DriverError("cannot make the reference dialog");
        RECT rect{0, 0, 4, 8};
        MapDialogRect(dialog, &rect);
        DestroyWindow(dialog);
        return rect;
    }();
    return units;
}

}  // namespace

RECT RectIn(HWND child, HWND parent)
{
    RECT rect = WindowRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientOnScreen(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT DialogUnits(int x, int y, int width, int height)
{
    const RECT units = BaseUnits();
    const int left = MulDiv(x, units.right, 4);
    const int top = MulDiv(y, units.bottom, 8);
    return RECT{left, top, left + MulDiv(width, units.right, 4), top + MulDiv(height, units.bottom, 8)};
}

RECT WorkArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace e2e
