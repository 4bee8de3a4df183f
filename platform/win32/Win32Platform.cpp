// The Windows platform services: Win32 and C run-time calls only.
#include "platform/win32/Win32Platform.h"

#include "platform/ArgumentWords.h"
#include "platform/Characters.h"
#include "platform/File.h"
#include "platform/TokenReader.h"
#include "platform/win32/CommandWait.h"
#include "platform/win32/FolderSecurity.h"
#include "unicode/Wide.h"

#include <aclapi.h>
#include <io.h>
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

// Hands `found` each entry of `folder` ("": the current directory) in file-system order.
template <typename Found>
void ForEachEntry(const std::string& folder, Found found)
{
    const std::wstring pattern = Wide(folder + (folder.empty() || folder.back() == '\\' ? "*" : "\\*"));
    WIN32_FIND_DATAW entry;
    FindHandle find{FindFirstFileW(pattern.c_str(), &entry)};
    if (find.handle == INVALID_HANDLE_VALUE)
        return;
    do
        found(entry);
    while (FindNextFileW(find.handle, &entry));
}

// True when two names are the same to the file system, which ignores case.
bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Makes the directory `path` with the security `sddl` describes, set as it is made: setting it
// afterwards would leave a moment in which the parent's is in force.
bool MakeSecured(const std::string& path, const std::wstring& sddl)
{
    const Descriptor descriptor = DescriptorFromSddl(sddl);
    if (!descriptor)
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    return CreateDirectoryW(Wide(path).c_str(), &attributes) != 0;
}

// The full path an open handle leads to, without the \\?\ the system puts before it; "" when the
// system can't tell.
std::wstring FinalPath(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, &path[0], static_cast<DWORD>(path.size()), 0);
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(length);
    }
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return L"\\" + path.substr(7);
    return path.compare(0, 4, L"\\\\?\\") == 0 ? path.substr(4) : path;
}

// `path` made full as the system would open it.
std::wstring FullPathOf(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? GetFullPathNameW(path.c_str(), size, &full[0], nullptr) : 0;
    full.resize(length < size ? length : 0);
    return full;
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

const std::wstring& Win32Platform::Account()
{
    if (m_account.empty())
        m_account = RunningAccountSid();
    return m_account;
}

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
    std::vector<std::string> words = SplitArguments(Narrow(GetCommandLineW()));
    if (!words.empty())
        words.erase(words.begin());
    return words;
}

std::string Win32Platform::CurrentDirectory()
{
    return CopiedOut([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

MakeDirResult Win32Platform::MakeDirectory(const std::string& path)
{
    if (NamesAStream(path))
        return MakeDirResult::Failed;
    const std::wstring wide = Wide(path);
    if (MakeSecured(path, kStoreSecurity))
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
    // Without the account's SID there is no security to give the directory; a directory left to
    // inherit C:\kel's would not be the account's to set up in.
    return !NamesAStream(path) && !Account().empty() && MakeSecured(path, SystemDirectorySecurity(Account()));
}

std::shared_ptr<void> Win32Platform::HoldDirectory(const std::string& path)
{
    const std::wstring wide = Wide(path);
    // Opened as the entry itself, not what a link or junction leads to; with no delete sharing, so
    // that nobody can remove or rename it, nor any directory above it, while it is held.
    HANDLE handle = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    std::shared_ptr<void> held(handle, [](void* h) { CloseHandle(h); });
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle, &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return nullptr;
    // A directory above it swapped for a link before the open leads somewhere else.
    const std::wstring reached = FinalPath(handle);
    return !reached.empty() && SameName(reached, FullPathOf(wide)) ? held : nullptr;
}

FolderSafety Win32Platform::FolderSafetyOf(const std::string& path)
{
    std::wstring wide = Wide(path.empty() ? CurrentDirectory() : path);
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(&wide[0], SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return FolderSafety::Unknown;
    const std::shared_ptr<void> freed(descriptor, [](void* p) { LocalFree(p); });
    return JudgeFolder(descriptor, Account());
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
    if (!folder.empty())
        ForEachEntry(folder, [&names](const WIN32_FIND_DATAW& entry) { names.push_back(Narrow(entry.cFileName)); });
    return names;
}

WriteResult Win32Platform::WriteTextFile(const std::string& path, const std::string& bytes)
{
    File file(_wfopen(Wide(path).c_str(), L"w"));
    if (!file)
        return WriteResult::OpenFailed;
    // NTFS journals a file's length, not its data: without the flush a power cut can leave the
    // file at its length with nothing in it, after the caller went on.
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.Get()) == bytes.size() &&
                         std::fflush(file.Get()) == 0 &&
                         FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.Get()))));
    return file.Close() && written ? WriteResult::Written : WriteResult::WriteFailed;
}

ReadResult Win32Platform::ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink)
{
    return ReadTokenFile(_wfopen(Wide(path).c_str(), L"r"), sink);
}

std::vector<std::string> Win32Platform::CommandFiles(const std::string& folder, const std::string& name)
{
    std::vector<std::wstring> candidates;
    for (const std::string& candidate : CommandFileNames(name, Environment(L"PATHEXT")))
        candidates.push_back(Wide(candidate));
    std::vector<std::string> files;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            return;
        for (const std::wstring& candidate : candidates) {
            if (SameName(entry.cFileName, candidate)) {
                files.push_back(Narrow(entry.cFileName));
                return;
            }
        }
    });
    return files;
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
    if (run.onStarted)
        run.onStarted();
    WaitAnswering(process.handle, run.onSession);
    // A status of 0xFFFFFFFF is -1 here, and a status like any other: the interpreter did start.
    DWORD status = 0;
    return GetExitCodeProcess(process.handle, &status) ? static_cast<int>(status) : -1;
}

void Win32Platform::ShowMessage(const std::string& text)
{
    // The title asks the file system how it spells the program's name: once is enough.
    if (m_caption.empty())
        m_caption = Wide(ApplicationTitle());
    HWND main = MainWindow();
    MessageBoxW(main ? GetLastActivePopup(main) : nullptr, Wide(text).c_str(), m_caption.c_str(),
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
