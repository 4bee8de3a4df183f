// The screen: rectangles of it captured and saved, and icons found on it by their pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

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
/// of the caption. Needs a frame that Wine draws itself (see DrawnFrames). Throws DriverError when
/// the program file has no such icon.
bool CaptionShowsIcon(HWND window, const std::string& exePath, int iconId);

}  // namespace e2e
