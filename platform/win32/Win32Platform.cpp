// The Windows platform services: Win32 and C run-time calls only.
#include "platform/win32/Win32Platform.h"

#include "platform/Characters.h"
#include "platform/CommandLineWords.h"
#include "platform/File.h"
#include "platform/Format.h"
#include "platform/TokenReader.h"

#include <objbase.h>
#include <shellapi.h>
#include <winsock2.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <direct.h>
#include <vector>

namespace {

// A handle owned: `Close` releases it when it goes out of scope, unless it is null or
// INVALID_HANDLE_VALUE (the two ways Win32 says there is none).
template <BOOL(WINAPI* Close)(HANDLE)>
struct Owned {
    HANDLE handle;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned()
    {
        if (handle && handle != INVALID_HANDLE_VALUE)
            Close(handle);
    }
};
using Handle = Owned<CloseHandle>;
using FindHandle = Owned<FindClose>;

// A text the system copies out: `copy(buffer, size)` returns the length copied without the NUL,
// the size needed with it when `size` is too small, or 0 on failure (then the text is empty).
template <typename Copy>
std::string CopiedOut(Copy copy)
{
    std::string text;
    for (DWORD size = 0;;) {
        const DWORD length = copy(size ? &text[0] : nullptr, size);
        if (length == 0)
            return std::string();
        if (length < size) {
            text.resize(length);
            return text;
        }
        size = length;
        text.resize(size);
    }
}

// The value of an environment variable of any length; empty when it is not set.
std::string Environment(const char* name)
{
    return CopiedOut([name](char* buffer, DWORD size) { return GetEnvironmentVariableA(name, buffer, size); });
}

// The system folder (C:\Windows\System32), where the command interpreter lives.
std::string SystemFolder()
{
    return CopiedOut([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

// Starts `program` with `commandLine` in `directory`. It inherits none of this process's handles,
// so that no pipe a caller reads to its end (our standard output, say) outlives us in a program
// the command leaves running. It gets a console of its own unless this process has one, or none at
// all `withoutWindow`. False when it could not be started.
bool Start(const std::string& program, std::string commandLine, const std::string& directory, bool withoutWindow,
           PROCESS_INFORMATION& started)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Without handles to inherit, the system still hands a console program our standard handles
    // unless it is told others (Wine always does): unattended, it is told there are none.
    if (withoutWindow)
        startup.dwFlags = STARTF_USESTDHANDLES;
    return CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                          withoutWindow ? CREATE_NO_WINDOW : 0, nullptr, directory.c_str(), &startup, &started) != 0;
}

// What the system posts for a press of F1 (not in every header); DefWindowProc makes help of it.
constexpr UINT kKeyF1 = 0x004D;

// Keyboard and mouse input, and the commands and requests to close that clicks and keys turn into.
bool IsInputOrCommand(const MSG& message)
{
    const UINT m = message.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) || m == WM_COMMAND || m == WM_SYSCOMMAND ||
           m == WM_CLOSE || m == BM_CLICK || m == kKeyF1 || m == WM_HELP || m == WM_CONTEXTMENU;
}

// The program's enabled top-level windows, disabled while a command runs so that nothing sent to
// them can start a second install or open a dialog; `Enable` gives back what was taken, and the
// activation and focus with it.
class DisabledWindows {
public:
    DisabledWindows() : m_active(GetActiveWindow()), m_focus(GetFocus())
    {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::Collect, reinterpret_cast<LPARAM>(this));
        for (HWND window : m_windows)
            EnableWindow(window, FALSE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows()
    {
        for (HWND window : m_windows) {
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        }
        if (m_active && IsWindow(m_active))
            SetActiveWindow(m_active);
        if (m_focus && IsWindow(m_focus))
            SetFocus(m_focus);
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self)
    {
        if (IsWindowEnabled(window))
            reinterpret_cast<DisabledWindows*>(self)->m_windows.push_back(window);
        return TRUE;
    }
    HWND m_active;
    HWND m_focus;
    std::vector<HWND> m_windows;
};

// No window of the thread's may be made while a command runs: neither a dialog nor the menu that a
// context-menu request sent straight to a control would open, whose modal loop would take keys.
// Whatever sends such a request is answered at once.
class NoNewWindows {
public:
    NoNewWindows() : m_hook(SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId())) {}
    NoNewWindows(const NoNewWindows&) = delete;
    NoNewWindows& operator=(const NoNewWindows&) = delete;
    ~NoNewWindows()
    {
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
    }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook;
};

// What Windows shows for the program while it holds up a log-off or shutdown.
const wchar_t kHoldUpReason[] = L"Corvane is waiting for a setup command to finish";
const wchar_t kSessionWatchClass[] = L"CorvaneSessionWatch";

// A hidden top-level window of the program's own for the length of one command: Windows asks
// every top-level window before a log-off or shutdown, so the program is asked with its dialogs
// or without any. An end that can wait is held up, with the reason, until the command ends or the
// user ends the session anyway; one that can't wait is let go. `watcher` hears each first, as the
// program may be ended as soon as the answer is given.
class SessionWatch {
public:
    explicit SessionWatch(const std::function<void(SessionEvent)>& watcher) : m_watcher(watcher)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &SessionWatch::Answer;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kSessionWatchClass;
        RegisterClassW(&windowClass);  // refused, harmlessly, from the second command on
        m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kSessionWatchClass, L"Corvane", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, windowClass.hInstance, this);
        if (m_window)
            ShutdownBlockReasonCreate(m_window, kHoldUpReason);
    }
    SessionWatch(const SessionWatch&) = delete;
    SessionWatch& operator=(const SessionWatch&) = delete;
    ~SessionWatch()
    {
        if (!m_window)
            return;
        ShutdownBlockReasonDestroy(m_window);
        DestroyWindow(m_window);
    }

private:
    static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        const auto* self = reinterpret_cast<const SessionWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_QUERYENDSESSION) {
            const bool canWait = (static_cast<DWORD>(lParam) & ENDSESSION_CRITICAL) == 0;
            self->Tell(canWait ? SessionEvent::HeldUp : SessionEvent::Ending);
            return canWait ? FALSE : TRUE;
        }
        if (self && message == WM_ENDSESSION) {
            self->Tell(wParam ? SessionEvent::Ends : SessionEvent::GoesOn);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    void Tell(SessionEvent event) const
    {
        if (m_watcher)
            m_watcher(event);
    }

    const std::function<void(SessionEvent)>& m_watcher;
    HWND m_window = nullptr;
};

// Waits for `process` to end while the thread keeps answering: messages sent to its windows are
// answered (inside PeekMessage) and posted ones such as painting are dispatched, so that programs
// that send to every window, the command among them, don't wait for ever. Whatever the operator
// types or clicks meanwhile is dropped, so that an Enter pressed in impatience can neither dismiss
// the next message unread nor start a second install, and no dialog closes or opens; so is what the
// system or a tool makes of keys and clicks (help, menus, a button's click posted), and the windows
// are disabled meanwhile, so that a dialog refuses what is sent to it, and no window is made.
// Messages for the thread itself are kept for afterwards. The session's end is answered as
// SessionWatch says.
void WaitAnswering(HANDLE process, const std::function<void(SessionEvent)>& watcher)
{
    const DisabledWindows disabled;
    const SessionWatch session(watcher);
    const NoNewWindows noWindows;
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR previous = SetCursor(wait);
    std::vector<MSG> kept;
    bool quit = false;
    int quitCode = 0;
    const auto drain = [&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
            } else if (IsInputOrCommand(message)) {
                continue;
            } else if (message.hwnd) {
                DispatchMessageA(&message);
            } else {
                kept.push_back(message);
            }
        }
        // The windows set their own cursor as the mouse moves over them.
        SetCursor(wait);
    };
    for (;;) {
        drain();
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 + 1)
            continue;
        // Should the wait itself fail, the command still has to end before its status is read.
        if (woken != WAIT_OBJECT_0)
            WaitForSingleObject(process, INFINITE);
        break;
    }
    drain();
    SetCursor(previous);
    for (const MSG& message : kept)
        PostThreadMessageA(GetCurrentThreadId(), message.message, message.wParam, message.lParam);
    if (quit)
        PostQuitMessage(quitCode);
}

// True when a colon follows the drive: Windows reads it as the start of a stream name and makes no
// such directory; Wine would make one, which Windows programs then can't remove.
bool NamesAStream(const std::string& path)
{
    return path.find(':', path.size() >= 2 && path[1] == ':' ? 2 : 0) != std::string::npos;
}

// Writes all of `text` with one WriteFile.
bool WriteAll(HANDLE handle, const std::string& text)
{
    DWORD written = 0;
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

}  // namespace

std::string Win32Platform::ApplicationTitle()
{
    const std::string path = ProgramArgument();
    WIN32_FIND_DATAA found;
    FindHandle find{FindFirstFileA(path.c_str(), &found)};
    const std::string name = find.handle != INVALID_HANDLE_VALUE ? found.cFileName : path.substr(NameStart(*this, path));
    return WithoutExtension(*this, name);
}

std::string Win32Platform::ProgramArgument()
{
    // GetModuleFileNameA truncates silently and returns the buffer size: grow until it fits.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::string> Win32Platform::CommandArguments()
{
    std::vector<std::string> words = SplitCommandLine(GetCommandLineA());
    if (!words.empty())
        words.erase(words.begin());
    return words;
}

MakeDirResult Win32Platform::MakeDirectory(const std::string& path)
{
    if (NamesAStream(path))
        return MakeDirResult::Failed;
    if (_mkdir(path.c_str()) == 0)
        return MakeDirResult::Created;
    if (errno != EEXIST)
        return MakeDirResult::Failed;
    // A file in the way also gives EEXIST; it is no directory to build on.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? MakeDirResult::AlreadyExists
               : MakeDirResult::Failed;
}

bool Win32Platform::ClaimDirectory(const std::string& path)
{
    return !NamesAStream(path) && _mkdir(path.c_str()) == 0;
}

bool Win32Platform::RemoveEmptyDirectory(const std::string& path)
{
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool Win32Platform::RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) != 0;
}

bool Win32Platform::AppendToFile(const std::string& path, const std::string& text)
{
    const Handle file{CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return false;
    // The lock is on one byte far beyond any text, so it guards the end of the file without
    // locking what readers read; every appender waits for it.
    OVERLAPPED lock{};
    lock.OffsetHigh = 0x7FFFFFFF;
    if (!LockFileEx(file.handle, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lock))
        return false;
    LARGE_INTEGER end{};
    const bool appended = SetFilePointerEx(file.handle, end, nullptr, FILE_END) && WriteAll(file.handle, text);
    UnlockFileEx(file.handle, 0, 1, 0, &lock);
    return appended;
}

bool Win32Platform::ChangeDirectory(const std::string& path)
{
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string Win32Platform::CurrentDirectory()
{
    return CopiedOut([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

bool Win32Platform::PathExists(const std::string& path)
{
    WIN32_FIND_DATAA found;
    FindHandle find{FindFirstFileA(path.c_str(), &found)};
    return find.handle != INVALID_HANDLE_VALUE;
}

std::vector<std::string> Win32Platform::ListEntries()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle find{FindFirstFileA("*", &found)};
    if (find.handle == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (FindNextFileA(find.handle, &found));
    return names;
}

WriteResult Win32Platform::WriteTextFile(const std::string& path, const std::string& text)
{
    File file(path, "w");
    if (!file)
        return WriteResult::OpenFailed;
    const bool written = std::fprintf(file.Get(), "%s", text.c_str()) >= 0;
    return file.Close() && written ? WriteResult::Written : WriteResult::WriteFailed;
}

ReadResult Win32Platform::ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink)
{
    return ReadTokenFile(path, sink);
}

std::optional<int> Win32Platform::RunCommand(const std::string& commandLine)
{
    // cmd /c drops the first and last quote of a line that starts with one; the extra pair keeps
    // a quoted program path intact. Delayed expansion is turned off whatever the registry says, so
    // a "!" in a name or a folder is taken literally; a command file may still turn it on.
    const std::string line = !commandLine.empty() && commandLine[0] == '"' ? "\"" + commandLine + "\"" : commandLine;
    std::fflush(nullptr);
    PROCESS_INFORMATION started{};
    const std::string directory = CurrentDirectory();
    for (const std::string& interpreter : {Environment("COMSPEC"), SystemFolder() + "\\cmd.exe"}) {
        if (!interpreter.empty() &&
            Start(interpreter, "\"" + interpreter + "\" /v:off /c " + line, directory, m_commandsWithoutWindow, started))
            break;
    }
    const Handle process{started.hProcess};
    const Handle thread{started.hThread};
    if (!process.handle)
        return std::nullopt;
    WaitAnswering(process.handle, m_sessionWatcher);
    // A status of 0xFFFFFFFF is -1 here, and a status like any other: the interpreter did start.
    DWORD status = 0;
    return GetExitCodeProcess(process.handle, &status) ? static_cast<int>(status) : -1;
}

bool Win32Platform::EnvironmentHas(const std::string& name)
{
    return !Environment(name.c_str()).empty();
}

int Win32Platform::CompareText(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

std::string Win32Platform::LowerCase(const std::string& text)
{
    std::string lower = text;
    if (!lower.empty())
        CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    return lower;
}

bool Win32Platform::IsLeadByte(unsigned char first)
{
    return IsDBCSLeadByte(first) != 0;
}

void Win32Platform::ShowMessage(const std::string& text)
{
    HWND main = MainWindow();
    MessageBoxA(main ? GetLastActivePopup(main) : nullptr, text.c_str(), ApplicationTitle().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

bool Win32Platform::WriteStandard(StandardStream stream, const std::string& text)
{
    // A Windows program started from a console without redirection has no standard handles.
    HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    return handle && handle != INVALID_HANDLE_VALUE && WriteAll(handle, text);
}

std::string Win32Platform::LocalTime()
{
    SYSTEMTIME utc;
    SYSTEMTIME local;
    GetSystemTime(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    // The offset from UTC is whatever the conversion applied, summer time included.
    FILETIME utcTime;
    FILETIME localTime;
    SystemTimeToFileTime(&utc, &utcTime);
    SystemTimeToFileTime(&local, &localTime);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    const long minutes = static_cast<long>((ticks(localTime) - ticks(utcTime)) / (10000000LL * 60));
    return IsoTime({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                    local.wMilliseconds, minutes});
}

bool Win32Platform::OpenDocument(const std::string& path)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // ShellExecuteA reports success as a value above 32.
    const bool opened =
        reinterpret_cast<INT_PTR>(ShellExecuteA(MainWindow(), "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
    if (SUCCEEDED(com))
        CoUninitialize();
    return opened;
}

bool Win32Platform::ShowHelpTopic(const std::string& path, unsigned long context)
{
    return WinHelpA(MainWindow(), path.c_str(), HELP_CONTEXT, context) != FALSE;
}

void Win32Platform::CloseHelp(const std::string& path)
{
    WinHelpA(MainWindow(), path.c_str(), HELP_QUIT, 0);
}

bool Win32Platform::StartSockets()
{
    WSADATA data;
    // A failed start-up has nothing to release; a start-up that granted another version has.
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return false;
    if (data.wVersion != MAKEWORD(1, 1)) {
        WSACleanup();
        return false;
    }
    return true;
}

void Win32Platform::StopSockets()
{
    WSACleanup();
}
