// The driver's process, window, message box and screen helpers: Win32 calls only.
#include "tests/e2e/Driver.h"

#include "platform/File.h"
#include "tests/support/Spawn.h"
#include "tests/support/TestDrive.h"
#include "unicode/Wide.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <cstdio>
#include <thread>

namespace e2e {

namespace {

// How long one message may take to be answered; an external command may run meanwhile.
constexpr UINT kAnswerLimitMs = 10000;
constexpr Milliseconds kPollInterval{20};

// The id of the text in a message box.
constexpr int kMessageTextId = 0xFFFF;

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

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The visible top-level windows of process `processId`, or of every process for 0; hidden ones too
// when told.
std::vector<HWND> VisibleTopWindows(DWORD processId, bool hiddenToo = false)
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

void WaitUntil(const std::function<bool()>& ready, const std::string& what, Milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (ready())
            return;
        if (std::chrono::steady_clock::now() >= deadline)
            throw DriverError("timed out after " + std::to_string(limit.count()) + " ms waiting for " + what);
        std::this_thread::sleep_for(kPollInterval);
    }
}

// One pipe from a started program: the driver's end is read to its end by a thread of its own, so
// the program never blocks on a full pipe.
struct Process::Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;  // the program's end, inherited
    std::string text;
    std::thread reader;

    Pipe()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        if (!CreatePipe(&read, &write, &inherit, 0))
            throw DriverError("cannot make a pipe");
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    }
    ~Pipe()
    {
        CloseWrite();
        if (reader.joinable())
            reader.join();
        CloseRead();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    void CloseWrite()
    {
        if (write)
            CloseHandle(write);
        write = nullptr;
    }
    void CloseRead()
    {
        if (read)
            CloseHandle(read);
        read = nullptr;
    }
    void StartReading()
    {
        if (!read)
            return;
        reader = std::thread([this] {
            std::string chunk(4096, '\0');
            DWORD got = 0;
            while (ReadFile(read, &chunk[0], static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0)
                text.append(chunk, 0, got);
        });
    }
    std::string Finish()
    {
        if (reader.joinable())
            reader.join();
        return text;
    }
};

Process::Process(const std::string& exePath, const std::string& workingDirectory,
                 const std::vector<std::string>& arguments, bool pipes, bool outputReaderGone)
{
    // A crash ends the program at once instead of waiting in a crash dialog; children inherit this.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    std::string commandLine = "\"" + exePath + "\"";
    for (const std::string& argument : arguments)
        commandLine += " " + QuotedArgument(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (pipes) {
        m_output = std::make_unique<Pipe>();
        m_errors = std::make_unique<Pipe>();
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = m_output->write;
        startup.hStdError = m_errors->write;
        if (outputReaderGone)
            m_output->CloseRead();
    }
    std::wstring wideLine = Wide(commandLine);
    if (!CreateProcessW(Wide(exePath).c_str(), &wideLine[0], nullptr, nullptr, pipes, 0, nullptr,
                        Wide(workingDirectory).c_str(), &startup, &m_info))
        throw DriverError("cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")");
    // Only the program holds the writing ends now: the pipes end when it does.
    for (Pipe* pipe : {m_output.get(), m_errors.get()}) {
        if (pipe) {
            pipe->CloseWrite();
            pipe->StartReading();
        }
    }
}

Process::~Process()
{
    Terminate();
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

std::string Process::Output()
{
    return m_output ? m_output->Finish() : std::string();
}

std::string Process::Errors()
{
    return m_errors ? m_errors->Finish() : std::string();
}

bool Process::Running() const
{
    return WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::WaitForExit(Milliseconds limit)
{
    if (WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        throw DriverError("timed out after " + std::to_string(limit.count()) + " ms waiting for the program to end");
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void Process::Terminate()
{
    if (Running()) {
        TerminateProcess(m_info.hProcess, 255);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

void SetEnvironment(const std::string& name, const std::string& value)
{
    SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    // Unicode, as the program's windows are: a text sent or read is UTF-16.
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerLimitMs, &result)) {
        // Wine reports some answers across processes as a failure with no error set; only a
        // timeout or a vanished window means the program did not answer.
        const DWORD error = GetLastError();
        if (error == ERROR_TIMEOUT || !IsWindow(window))
            throw DriverError("window " + ClassName(window) + " did not answer message " + std::to_string(message) +
                              " (error " + std::to_string(error) + ")");
    }
    return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageA(window, message, wParam, lParam))
        throw DriverError("cannot post message " + std::to_string(message));
}

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
    std::vector<HWND> all;
    EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all) {
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
        std::vector<HWND> all;
        EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&all));
        std::string shown;
        for (HWND other : all) {
            DWORD owner = 0;
            GetWindowThreadProcessId(other, &owner);
            if ((processId == 0 || owner == processId) && IsWindowVisible(other))
                shown += " [" + ClassName(other) + " \"" + Caption(other) + "\"]";
        }
        throw DriverError(std::string(error.what()) + "; showing:" + (shown.empty() ? " nothing" : shown));
    }
    return window;
}

void WaitUntilGone(HWND window, const std::string& what, Milliseconds limit)
{
    WaitUntil([window] { return !IsWindow(window); }, what + " to close", limit);
}

HWND Control(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        throw DriverError("no control " + std::to_string(id) + " in \"" + Text(dialog) + "\"");
    return control;
}

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

HWND FocusIn(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
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

HWND ActiveIn(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndActive : nullptr;
}

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

MessageBoxView FindMessageBox(DWORD processId)
{
    std::vector<HWND> all;
    EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((processId != 0 && owner != processId) || !IsWindowVisible(window) || ClassName(window) != "#32770")
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

namespace {

const char kX11Key[] = "Software\\Wine\\X11 Driver";

}  // namespace

DrawnFrames::DrawnFrames()
{
    if (!TestDrive::UnderWine())
        return;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kX11Key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key,
                        nullptr) != ERROR_SUCCESS) {
        m_key = nullptr;
        return;
    }
    DWORD bytes = 0;
    if (RegQueryValueExA(m_key, "Decorated", nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS) {
        std::string value(bytes, '\0');
        if (RegQueryValueExA(m_key, "Decorated", nullptr, nullptr, reinterpret_cast<BYTE*>(&value[0]), &bytes) ==
            ERROR_SUCCESS) {
            m_hadValue = true;
            value.resize(std::min<size_t>(bytes, value.size()));
            while (!value.empty() && value.back() == '\0')
                value.pop_back();
            m_previous = value;
        }
    }
    RegSetValueExA(m_key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
}

DrawnFrames::~DrawnFrames()
{
    if (!m_key)
        return;
    if (m_hadValue)
        RegSetValueExA(m_key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_previous.c_str()),
                       static_cast<DWORD>(m_previous.size() + 1));
    else
        RegDeleteValueA(m_key, "Decorated");
    RegCloseKey(m_key);
}

}  // namespace e2e
