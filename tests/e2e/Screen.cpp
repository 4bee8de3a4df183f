// The screen read into pictures, and icons drawn here to compare with it: Win32 calls only.
#include "tests/e2e/Screen.h"

#include "platform/File.h"
#include "tests/e2e/Geometry.h"
#include "tests/e2e/Waiting.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <type_traits>

namespace e2e {

namespace {

// Deletes a GDI object when it goes out of scope.
struct GdiObject {
    HGDIOBJ handle;
    ~GdiObject()
    {
        if (handle)
            DeleteObject(handle);
    }
};

// A memory device context holding a 32-bit top-down DIB of one size.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        if (!m_dc || !m_bitmap)
            throw DriverError("cannot make a drawing surface");
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }

    Picture Take() const
    {
        GdiFlush();
        Picture picture;
        picture.width = m_width;
        picture.height = m_height;
        const DWORD* bits = static_cast<const DWORD*>(m_bits);
        picture.pixels.assign(bits, bits + static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
        for (DWORD& pixel : picture.pixels)
            pixel &= 0x00FFFFFF;
        return picture;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    void* m_bits = nullptr;
};

}  // namespace

Picture CaptureScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        throw DriverError("nothing to capture");
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    const BOOL copied = BitBlt(canvas.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!copied)
        throw DriverError("cannot read the screen");
    return canvas.Take();
}

void SaveBitmap(const Picture& picture, const std::string& path)
{
    const size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t imageBytes = rowBytes * static_cast<size_t>(picture.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + imageBytes);
    info.biSize = sizeof(info);
    info.biWidth = picture.width;
    info.biHeight = picture.height;  // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(imageBytes);

    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(rowBytes, '\0');
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const DWORD pixel = picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width) +
                                               static_cast<size_t>(x)];
            row[static_cast<size_t>(x) * 3] = static_cast<char>(pixel & 0xFF);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        bytes += row;
    }
    File out(path, "wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out.Get()) == bytes.size();
    if (!out.Close() || !written)
        throw DriverError("cannot write " + path);
}

LPCSTR ShownSystemIcon(HWND iconControl)
{
    const Picture shown = CaptureScreen(ClientOnScreen(iconControl));
    // The control fills its background, then draws the icon stretched over its client area.
    const DWORD background = shown.pixels.front();
    static const LPCSTR kCandidates[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION};
    LPCSTR best = nullptr;
    size_t bestMatches = 0;
    for (LPCSTR candidate : kCandidates) {
        Canvas canvas(shown.width, shown.height);
        HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
        GdiObject brushOwner{brush};
        RECT all{0, 0, shown.width, shown.height};
        FillRect(canvas.Dc(), &all, brush);
        DrawIconEx(canvas.Dc(), 0, 0, LoadIconA(nullptr, candidate), shown.width, shown.height, 0, nullptr, DI_NORMAL);
        const Picture drawn = canvas.Take();
        size_t matches = 0;
        for (size_t i = 0; i < drawn.pixels.size(); ++i)
            matches += drawn.pixels[i] == shown.pixels[i];
        if (matches > bestMatches) {
            bestMatches = matches;
            best = candidate;
        }
    }
    // Allow a few pixels of difference for the edges of a stretched icon.
    return bestMatches * 100 >= shown.pixels.size() * 95 ? best : nullptr;
}

bool CaptionShowsIcon(HWND window, const std::string& exePath, int iconId)
{
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> module(
        LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
        &FreeLibrary);
    if (!module)
        throw DriverError("cannot read the resources of " + exePath);
    const int size = GetSystemMetrics(SM_CXSMICON);
    const std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)> icon(
        static_cast<HICON>(LoadImageA(module.get(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0)),
        &DestroyIcon);
    if (!icon)
        throw DriverError("no icon " + std::to_string(iconId) + " in " + exePath);
    // Drawn on black and on white: where both agree the icon is opaque.
    Picture onBlack;
    Picture onWhite;
    for (Picture* picture : {&onBlack, &onWhite}) {
        Canvas canvas(size, size);
        RECT all{0, 0, size, size};
        FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(picture == &onBlack ? BLACK_BRUSH : WHITE_BRUSH)));
        DrawIconEx(canvas.Dc(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
        *picture = canvas.Take();
    }

    const RECT frame = WindowRect(window);
    const RECT client = ClientOnScreen(window);
    const RECT strip{frame.left, frame.top, std::min(frame.right, frame.left + 4 * size), client.top};
    const Picture shown = CaptureScreen(strip);
    for (int top = 0; top + size <= shown.height; ++top) {
        for (int left = 0; left + size <= shown.width; ++left) {
            bool same = true;
            for (int y = 0; y < size && same; ++y) {
                for (int x = 0; x < size && same; ++x) {
                    const size_t i = static_cast<size_t>(y * size + x);
                    if (onBlack.pixels[i] != onWhite.pixels[i])
                        continue;
                    same = shown.pixels[static_cast<size_t>((top + y) * shown.width + left + x)] == onBlack.pixels[i];
                }
            }
            if (same)
                return true;
        }
    }
    return false;
}

}  // namespace e2e
