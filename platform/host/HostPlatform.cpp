// The host's platform services: POSIX calls only, Windows path rules layered on top.
#include "platform/host/HostPlatform.h"

#include "platform/ArgumentWords.h"
#include "platform/Characters.h"
#include "platform/File.h"
#include "platform/TokenReader.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

struct WindowsPath {
    char drive = 0;                       // upper case; 0 when the path names no usable drive
    std::vector<std::string> components;  // no empty, "." or ".." components left
};

// A file descriptor, closed when it goes out of scope.
struct Descriptor {
    int fd;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::vector<std::string> SplitComponents(const std::string& text, size_t from)
{
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = from; i <= text.size(); ++i) {
        if (i == text.size() || IsSeparator(text[i])) {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += text[i];
        }
    }
    return parts;
}

// Resolves `path` against the current directory `current` (itself a full path) the way Windows
// does: drive-absolute, root-relative ("\x") and relative forms, "." and ".." folded away.
WindowsPath Normalize(const std::string& path, const std::string& current)
{
    const char currentDrive = UpperAscii(current[0]);

    WindowsPath result;
    std::vector<std::string> rest;
    const bool hasDrive = path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    if (hasDrive) {
        result.drive = UpperAscii(path[0]);
        if (path.size() > 2 && IsSeparator(path[2])) {
            rest = SplitComponents(path, 3);
        } else {
            // "C:name" is relative to the drive's current directory; we keep only one.
            if (result.drive == currentDrive)
                result.components = SplitComponents(current, 2);
            rest = SplitComponents(path, 2);
        }
    } else if (!path.empty() && IsSeparator(path[0])) {
        result.drive = currentDrive;
        rest = SplitComponents(path, 1);
    } else {
        result.drive = currentDrive;
        result.components = SplitComponents(current, 2);
        rest = SplitComponents(path, 0);
    }
    for (const std::string& part : rest) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!result.components.empty())
                result.components.pop_back();
            continue;
        }
        result.components.push_back(part);
    }
    return result;
}

std::string ToText(const WindowsPath& path)
{
    std::string text(1, path.drive);
    text += ":\\";
    for (size_t i = 0; i < path.components.size(); ++i) {
        if (i > 0)
            text += '\\';
        text += path.components[i];
    }
    return text;
}

bool Exists(const std::string& hostPath)
{
    struct stat info;
    return ::lstat(hostPath.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& hostPath)
{
    struct stat info;
    return ::stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The spelling under which `name` exists in `directory` ignoring case, or `name` itself when it
// doesn't exist in any case.
std::string ExistingSpelling(const std::string& directory, const std::string& name)
{
    if (Exists(directory + "/" + name))
        return name;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), ::closedir);
    if (!dir)
        return name;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0)
            return entry->d_name;
    }
    return name;
}

bool IsRefusedName(const std::string& name)
{
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\"*:<>?|", c) != nullptr)
            return true;
    }
    return false;
}

std::string ProcessExecutable()
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", &buffer[0], buffer.size());
        if (length < 0)
            return std::string();
        if (static_cast<size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool IsRunnable(const std::string& hostPath)
{
    struct stat info;
    return ::stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(hostPath.c_str(), X_OK) == 0;
}

// The host path of a normalized Windows path (the existing spelling of each component that exists
// in some case), or "" when its drive doesn't exist.
std::string HostPathOf(const WindowsPath& path, const std::string& driveRoot)
{
    std::string host;
    if (path.drive == 'C')
        host = driveRoot;
    else if (path.drive != 'Z')
        return std::string();
    for (const std::string& component : path.components)
        host += "/" + ExistingSpelling(host.empty() ? "/" : host, component);
    return host.empty() ? "/" : host;
}

// Takes the exclusive lock of `fd`, asking again every few milliseconds until `wait` has passed:
// a blocking flock would wait for as long as another holds it. Any failure but another's lock ends
// the wait at once.
bool LockWithin(int fd, std::chrono::milliseconds wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return false;
        const struct timespec pause = {0, 10 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
}

}  // namespace

HostPlatform::HostPlatform(std::string driveRoot, std::string programPath, std::vector<std::string> arguments)
    : m_driveRoot(std::move(driveRoot)),
      m_programPath(std::move(programPath)),
      m_arguments(std::move(arguments)),
      m_currentDirectory("C:\\")
{
    while (m_driveRoot.size() > 1 && m_driveRoot.back() == '/')
        m_driveRoot.pop_back();
    if (m_programPath.empty()) {
        const std::string exe = ProcessExecutable();
        m_programPath = "Z:";
        for (char c : exe)
            m_programPath += c == '/' ? '\\' : c;
    }
}

std::string HostPlatform::HostPath(const std::string& windowsPath) const
{
    return HostPathOf(Normalize(windowsPath, m_currentDirectory), m_driveRoot);
}

std::string HostPlatform::ProgramArgument()
{
    return m_programPath;
}

std::vector<std::string> HostPlatform::CommandArguments()
{
    return m_arguments;
}

MakeDirResult HostPlatform::MakeDirectory(const std::string& path)
{
    const WindowsPath normalized = Normalize(path, m_currentDirectory);
    if (normalized.components.empty() || IsRefusedName(normalized.components.back()))
        return MakeDirResult::Failed;
    const std::string host = HostPathOf(normalized, m_driveRoot);
    if (host.empty())
        return MakeDirResult::Failed;
    // HostPathOf already found any entry of the same name in another case.
    if (Exists(host))
        return IsDirectory(host) ? MakeDirResult::AlreadyExists : MakeDirResult::Failed;
    if (::mkdir(host.c_str(), 0777) == 0)
        return MakeDirResult::Created;
    // Another process may have made it in between.
    return errno == EEXIST && IsDirectory(host) ? MakeDirResult::AlreadyExists : MakeDirResult::Failed;
}

bool HostPlatform::ClaimDirectory(const std::string& path)
{
    return MakeDirectory(path) == MakeDirResult::Created;
}

std::shared_ptr<void> HostPlatform::HoldDirectory(const std::string& path)
{
    const std::string host = HostPath(path);
    const int fd = host.empty() ? -1 : ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::shared_ptr<void> held(new Descriptor{fd}, [](void* d) { delete static_cast<Descriptor*>(d); });
    // O_NOFOLLOW looks at the last component only: a folder above it swapped for a link shows in
    // where the descriptor really leads.
    char* reached = ::realpath(("/proc/self/fd/" + std::to_string(fd)).c_str(), nullptr);
    char* root = ::realpath(m_driveRoot.c_str(), nullptr);
    const bool same = reached && root && std::string(reached) == std::string(root) + host.substr(m_driveRoot.size());
    std::free(reached);
    std::free(root);
    return same ? held : nullptr;
}

FolderSafety HostPlatform::FolderSafetyOf(const std::string& path)
{
    struct stat info;
    const std::string host = HostPath(path.empty() ? m_currentDirectory : path);
    if (host.empty() || ::stat(host.c_str(), &info) != 0)
        return FolderSafety::Unknown;
    // Others may write unless the sticky bit keeps each to their own entries; a folder of another
    // account's is that account's to change.
    const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0;
    const bool ownOrSystems = info.st_uid == 0 || info.st_uid == ::getuid();
    return othersWrite || !ownOrSystems ? FolderSafety::OthersMayChange : FolderSafety::TrustedOnly;
}

bool HostPlatform::RemoveEntry(const std::string& path)
{
    const std::string host = HostPath(path);
    return !host.empty() && (IsDirectory(host) ? ::rmdir(host.c_str()) : ::unlink(host.c_str())) == 0;
}

AppendResult HostPlatform::AppendToFile(const std::string& path, const std::string& bytes)
{
    const std::string host = HostPath(path);
    if (host.empty() || IsDirectory(host))
        return AppendResult::OpenFailed;
    // Closing the descriptor also releases the lock.
    const Descriptor file{::open(host.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666)};
    if (file.fd < 0)
        return AppendResult::OpenFailed;
    if (!LockWithin(file.fd, std::chrono::milliseconds(kAppendLockWaitMilliseconds)))
        return AppendResult::NotAppended;
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(file.fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return AppendResult::NotAppended;
        done += static_cast<size_t>(n);
    }
    return AppendResult::Appended;
}

bool HostPlatform::ChangeDirectory(const std::string& path)
{
    if (path.empty())
        return false;
    const WindowsPath normalized = Normalize(path, m_currentDirectory);
    const std::string host = HostPathOf(normalized, m_driveRoot);
    if (host.empty() || !IsDirectory(host))
        return false;
    m_currentDirectory = ToText(normalized);
    return true;
}

std::string HostPlatform::CurrentDirectory()
{
    return m_currentDirectory;
}

PathKind HostPlatform::PathType(const std::string& path)
{
    const std::string host = path.empty() ? std::string() : HostPath(path);
    if (host.empty() || !Exists(host))
        return PathKind::Missing;
    return IsDirectory(host) ? PathKind::Directory : PathKind::File;
}

std::vector<std::string> HostPlatform::ListEntries(const std::string& folder)
{
    std::vector<std::string> names;
    const std::string host = folder.empty() ? std::string() : HostPath(folder);
    if (host.empty())
        return names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(host.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get()))
        names.emplace_back(entry->d_name);
    return names;
}

WriteResult HostPlatform::WriteTextFile(const std::string& path, const std::string& bytes)
{
    const WindowsPath normalized = Normalize(path, m_currentDirectory);
    if (normalized.components.empty() || IsRefusedName(normalized.components.back()))
        return WriteResult::OpenFailed;
    const std::string host = HostPathOf(normalized, m_driveRoot);
    if (host.empty())
        return WriteResult::OpenFailed;
    File file(host, "wb");
    if (!file)
        return WriteResult::OpenFailed;
    std::string onDisk;
    onDisk.reserve(bytes.size());
    for (char c : bytes) {
        if (c == '\n')
            onDisk += '\r';
        onDisk += c;
    }
    const bool written = std::fwrite(onDisk.data(), 1, onDisk.size(), file.Get()) == onDisk.size() &&
                         std::fflush(file.Get()) == 0 && ::fsync(::fileno(file.Get())) == 0;
    return file.Close() && written ? WriteResult::Written : WriteResult::WriteFailed;
}

ReadResult HostPlatform::ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink)
{
    // A directory opens for reading here, where Windows refuses it.
    const std::string host = HostPath(path);
    return ReadTokenFile(host.empty() || IsDirectory(host) ? nullptr : std::fopen(host.c_str(), "r"), sink);
}

std::vector<std::string> HostPlatform::CommandFiles(const std::string& folder, const std::string& name)
{
    // As the Windows interpreter looks, and the name alone too: a POSIX program needs no extension.
    const char* pathext = std::getenv("PATHEXT");
    std::vector<std::string> candidates = CommandFileNames(name, pathext ? pathext : "");
    candidates.push_back(name);
    const std::string where = folder.empty() ? m_currentDirectory : folder;
    const std::string host = HostPath(where);
    std::vector<std::string> files;
    for (const std::string& entry : ListEntries(where)) {
        if (host.empty() || IsDirectory(host + "/" + entry))
            continue;
        for (const std::string& candidate : candidates) {
            if (::strcasecmp(entry.c_str(), candidate.c_str()) == 0) {
                files.push_back(entry);
                break;
            }
        }
    }
    return files;
}

std::optional<int> HostPlatform::RunCommand(const CommandRun& run)
{
    const std::vector<std::string> words = SplitArguments(run.line);
    if (words.empty() || words[0].empty())
        return 127;
    const std::string& name = words[0];
    // The run's directory, as a full Windows path.
    const WindowsPath where = Normalize(run.directory.empty() ? m_currentDirectory : run.directory, m_currentDirectory);
    const std::string directory = HostPathOf(where, m_driveRoot);
    if (directory.empty() || !IsDirectory(directory))
        return std::nullopt;
    // The run's directory first, as the interpreter looks; a bare name it lacks, on the search path.
    std::string program = HostPathOf(Normalize(name, ToText(where)), m_driveRoot);
    if (name.find_first_of("\\/:") == std::string::npos && !IsRunnable(program)) {
        program.clear();
        const char* searchPath = std::getenv("PATH");
        const std::string entries = searchPath ? searchPath : "";
        size_t start = 0;
        while (start <= entries.size()) {
            size_t end = entries.find(':', start);
            if (end == std::string::npos)
                end = entries.size();
            const std::string dir = entries.substr(start, end - start);
            if (!dir.empty() && IsRunnable(dir + "/" + name)) {
                program = dir + "/" + name;
                break;
            }
            start = end + 1;
        }
    }
    if (program.empty() || !IsRunnable(program))
        return 127;

    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (::chdir(directory.c_str()) != 0)
            ::_exit(127);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    if (run.onStarted)
        run.onStarted();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 127;
}

void HostPlatform::ShowMessage(const std::string& text)
{
    // The caption is the program file's base name without its extension.
    const std::string title = WithoutExtension(m_programPath.substr(NameStart(m_programPath)));
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

StreamWrite HostPlatform::WriteStandard(StandardStream stream, const std::string& text)
{
    std::FILE* file = stream == StandardStream::Output ? stdout : stderr;
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0
               ? StreamWrite::Written
               : StreamWrite::Failed;
}

bool HostPlatform::Help(const HelpRequest&)
{
    return false;
}

std::shared_ptr<void> HostPlatform::StartSockets()
{
    return std::make_shared<int>(0);
}
