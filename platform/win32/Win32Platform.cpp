// The Windows platform services: Win32 and C run-time calls only.
#include "platform/win32/Win32Platform.h"

#include "platform/Characters.h"
#include "platform/CommandLineWords.h"
#include "platform/File.h"
#include "platform/TokenReader.h"
#include "platform/win32/CommandWait.h"
#include "platform/win32/Wide.h"

#include <objbase.h>
#include <shellapi.h>
#include <winsock2.h>

#include <chrono>
#include <cstdio>
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
    std::wstring text;
    for (DWORD size = 0;;) {
        const DWORD length = copy(size ? &text[0] : nullptr, size);
        if (length == 0)
            return std::string();
        if (length < size) {
            text.resize(length);
            return Narrow(text);
        }
        size = length;
        text.resize(size);
    }
}

// The value of an environment variable of any length; empty when it is not set.
std::string Environment(const wchar_t* name)
{
    return CopiedOut([name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); });
}

// The system folder (C:\Windows\System32), where the command interpreter lives.
std::string SystemFolder()
{
    return CopiedOut([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

// Starts `program` with `commandLine` in `directory` (empty: ours). It inherits none of this
// process's handles, so that no pipe a caller reads to its end (our standard output, say) outlives
// us in a program the command leaves running. It gets a console of its own unless this process has
// one, or none at all `withoutWindow`. False when it could not be started.
bool Start(const std::string& program, const std::string& commandLine, const std::string& directory,
           bool withoutWindow, PROCESS_INFORMATION& started)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Without handles to inherit, the system still hands a console program our standard handles
    // unless it is told others (Wine always does): unattended, it is told there are none.
    if (withoutWindow)
        startup.dwFlags = STARTF_USESTDHANDLES;
    const std::wstring wideProgram = Wide(program);
    std::wstring wideLine = Wide(commandLine);
    const std::wstring wideDirectory = Wide(directory);
    return CreateProcessW(wideProgram.c_str(), &wideLine[0], nullptr, nullptr, FALSE,
                          withoutWindow ? CREATE_NO_WINDOW : 0, nullptr,
                          directory.empty() ? nullptr : wideDirectory.c_str(), &startup, &started) != 0;
}

// True when a colon follows the drive: Windows reads it as the start of a stream name and makes no
// such directory; Wine would make one, which Windows programs then can't remove.
bool NamesAStream(const std::string& path)
{
    return path.find(':', path.size() >= 2 && path[1] == ':' ? 2 : 0) != std::string::npos;
}

// Writes all of `bytes` with one WriteFile.
bool WriteAll(HANDLE handle, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The search pattern for every entry of `folder`.
std::wstring EveryEntryOf(const std::string& folder)
{
    return Wide(folder + (folder.empty() || folder.back() == '\\' ? "*" : "\\*"));
}

// Takes the exclusive lock `lock` describes, asking again every few milliseconds until `wait` has
// passed: a plain LockFileEx would wait for as long as another holds it. Any failure but another's
// lock (a file system without locks) ends the wait at once.
bool LockWithin(HANDLE file, OVERLAPPED& lock, std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &lock))
            return true;
        if (GetLastError() != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline)
            return false;
        Sleep(10);
    }
}

}  // namespace

std::string Win32Platform::ApplicationTitle()
{
    const std::string path = ProgramArgument();
    WIN32_FIND_DATAW found;
    FindHandle find{FindFirstFileW(Wide(path).c_str(), &found)};
    const std::string name =
        find.handle != INVALID_HANDLE_VALUE ? Narrow(found.cFileName) : path.substr(NameStart(path));
    return WithoutExtension(name);
}

std::string Win32Platform::ProgramArgument()
{
    // GetModuleFileNameW truncates silently and returns the buffer size: grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::string> Win32Platform::CommandArguments()
{
    // The C run-time's rules concern only quotes, backslashes, blanks and tabs, which are the same
    // bytes in UTF-8, so the converted line splits as the UTF-16 one would.
    std::vector<std::string> words = SplitCommandLine(Narrow(GetCommandLineW()));
    if (!words.empty())
        words.erase(words.begin());
    return words;
}

std::string Win32Platform::CurrentDirectory()
{
    return CopiedOut([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

bool Win32Platform::EnvironmentHas(const std::string& name)
{
    return !Environment(Wide(name).c_str()).empty();
}

MakeDirResult Win32Platform::MakeDirectory(const std::string& path)
{
    if (NamesAStream(path))
        return MakeDirResult::Failed;
    const std::wstring wide = Wide(path);
    if (CreateDirectoryW(wide.c_str(), nullptr))
        return MakeDirResult::Created;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return MakeDirResult::Failed;
    // A file in the way also gives ERROR_ALREADY_EXISTS; it is no directory to build on.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? MakeDirResult::AlreadyExists
               : MakeDirResult::Failed;
}

bool Win32Platform::ClaimDirectory(const std::string& path)
{
    return !NamesAStream(path) && CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

bool Win32Platform::RemoveEntry(const std::string& path)
{
    const std::wstring wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(wide.c_str()) != 0 : DeleteFileW(wide.c_str()) != 0;
}

AppendResult Win32Platform::AppendToFile(const std::string& path, const std::string& bytes)
{
    const Handle file{CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return AppendResult::OpenFailed;
    // The lock is on one byte far beyond any text, so it guards the end of the file without
    // locking what readers read; every appender waits for it, a bounded time.
    OVERLAPPED lock{};
    lock.OffsetHigh = 0x7FFFFFFF;
    if (!LockWithin(file.handle, lock, std::chrono::milliseconds(kAppendLockWaitMilliseconds)))
        return AppendResult::NotAppended;
    LARGE_INTEGER end{};
    const bool appended = SetFilePointerEx(file.handle, end, nullptr, FILE_END) && WriteAll(file.handle, bytes);
    UnlockFileEx(file.handle, 0, 1, 0, &lock);
    return appended ? AppendResult::Appended : AppendResult::NotAppended;
}

PathKind Win32Platform::PathType(const std::string& path)
{
    if (path.empty())
        return PathKind::Missing;
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Directory : PathKind::File;
}

std::vector<std::string> Win32Platform::ListEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    FindHandle find{FindFirstFileW(EveryEntryOf(folder).c_str(), &found)};
    if (find.handle == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(Narrow(found.cFileName));
    while (FindNextFileW(find.handle, &found));
    return names;
}

WriteResult Win32Platform::WriteTextFile(const std::string& path, const std::string& bytes)
{
    File file(_wfopen(Wide(path).c_str(), L"w"));
    if (!file)
        return WriteResult::OpenFailed;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.Get()) == bytes.size();
    return file.Close() && written ? WriteResult::Written : WriteResult::WriteFailed;
}

ReadResult Win32Platform::ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink)
{
    return ReadTokenFile(_wfopen(Wide(path).c_str(), L"r"), sink);
}

std::optional<int> Win32Platform::RunCommand(const CommandRun& run)
{
    // cmd /c drops the first and last quote of a line that starts with one; the extra pair keeps
    // a quoted program path intact. Delayed expansion is turned off whatever the registry says, so
    // a "!" in a name or a folder is taken literally; a command file may still turn it on.
    const std::string line = !run.line.empty() && run.line[0] == '"' ? "\"" + run.line + "\"" : run.line;
    std::fflush(nullptr);
    PROCESS_INFORMATION started{};
    for (const std::string& interpreter : {Environment(L"COMSPEC"), SystemFolder() + "\\cmd.exe"}) {
        if (!interpreter.empty() &&
            Start(interpreter, "\"" + interpreter + "\" /v:off /c " + line, run.directory, run.withoutWindow, started))
            break;
    }
    const Handle process{started.hProcess};
    const Handle thread{started.hThread};
    if (!process.handle)
        return std::nullopt;
    WaitAnswering(process.handle, run.onSession);
    // A status of 0xFFFFFFFF is -1 here, and a status like any other: the interpreter did start.
    DWORD status = 0;
    return GetExitCodeProcess(process.handle, &status) ? static_cast<int>(status) : -1;
}

void Win32Platform::ShowMessage(const std::string& text)
{
    HWND main = MainWindow();
    MessageBoxW(main ? GetLastActivePopup(main) : nullptr, Wide(text).c_str(), Wide(ApplicationTitle()).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

StreamWrite Win32Platform::WriteStandard(StandardStream stream, const std::string& text)
{
    // A Windows program started from a console without redirection has no standard handles.
    HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return StreamWrite::NoStream;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Wide(text);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
                       written == wide.size()
                   ? StreamWrite::Written
                   : StreamWrite::Failed;
    }
    return WriteAll(handle, m_codePage.EncodeShowing(text)) ? StreamWrite::Written : StreamWrite::Failed;
}

bool Win32Platform::Help(const HelpRequest& request)
{
    const std::wstring path = Wide(request.path);
    switch (request.kind) {
    case HelpRequest::Kind::Page: {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // ShellExecuteW reports success as a value above 32.
        const bool opened = reinterpret_cast<INT_PTR>(
                                ShellExecuteW(MainWindow(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
        if (SUCCEEDED(com))
            CoUninitialize();
        return opened;
    }
    case HelpRequest::Kind::Topic:
        return WinHelpW(MainWindow(), path.c_str(), HELP_CONTEXT, request.context) != FALSE;
    case HelpRequest::Kind::Close:
        return WinHelpW(MainWindow(), path.c_str(), HELP_QUIT, 0) != FALSE;
    }
    return false;
}

std::shared_ptr<void> Win32Platform::StartSockets()
{
    WSADATA data;
    // A failed start-up has nothing to release; a start-up that granted another version has.
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return nullptr;
    if (data.wVersion != MAKEWORD(1, 1)) {
        WSACleanup();
        return nullptr;
    }
    static int started;
    return std::shared_ptr<void>(&started, [](void*) { WSACleanup(); });
}
