// A stand-in for an external setup command: records where it ran and what it got, then exits with
// the status CORVANE_STUB_EXIT names. On Windows it can also take its time (CORVANE_STUB_SLEEP_MS)
// and, as installers do, talk to every top-level window (CORVANE_STUB_ASK names a window caption).
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

#ifdef _WIN32
namespace {

const char kLeftover[] = "Local\\corvane-stub-leftover";

// Leaves a program running, as a setup command that starts a service or an updater does: a copy of
// this stub that inherits every handle it can, the event named kLeftover among them, and stays
// until that event is set or `milliseconds` have passed. The event exists as long as the copy runs.
void LeaveRunning(const char* milliseconds)
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE event = CreateEventA(&inherited, TRUE, FALSE, kLeftover);
    SetEnvironmentVariableA("CORVANE_STUB_LEAVE_MS", nullptr);
    SetEnvironmentVariableA("CORVANE_STUB_RECORDS", nullptr);
    SetEnvironmentVariableA("CORVANE_STUB_HOLD_MS", milliseconds);
    std::string self(256, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, &self[0], static_cast<DWORD>(self.size()))) >= self.size())
        self.resize(self.size() * 2);
    self.resize(length);
    std::string line = "\"" + self + "\" " + std::to_string(reinterpret_cast<std::uintptr_t>(event));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(self.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    CloseHandle(event);
}

}  // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    if (const char* milliseconds = std::getenv("CORVANE_STUB_HOLD_MS")) {
        // The left copy: argv[1] is the inherited event.
        const auto event = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::strtoull(argv[1], nullptr, 10)));
        WaitForSingleObject(event, static_cast<DWORD>(std::atoi(milliseconds)));
        return 0;
    }
#endif
    // In UTF-8, so that a folder of any name is recorded as it is; the arguments as the program got
    // them, in the code page's bytes on Windows as a program of the C run-time sees them.
    std::string record = std::filesystem::current_path().u8string() + "\n";
#ifdef _WIN32
    record += std::string(GetCommandLineA()) + "\n";
#else
    record += "\n";
#endif
    for (int i = 0; i < argc; ++i)
        record += std::string(argv[i]) + "\n";

    if (const char* directory = std::getenv("CORVANE_STUB_RECORDS")) {
        // Several stubs may run at once: each claims the next free record number exclusively.
        for (int n = 0;; ++n) {
            const std::string path = std::string(directory) + "/record-" + std::to_string(n) + ".txt";
            const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_BINARY, 0644);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue;
                std::perror(path.c_str());
                return 120;
            }
            const bool written = write(fd, record.data(), static_cast<unsigned>(record.size())) ==
                                 static_cast<int>(record.size());
            close(fd);
            if (!written)
                return 121;
            break;
        }
    }
#ifdef _WIN32
    if (const char* milliseconds = std::getenv("CORVANE_STUB_SLEEP_MS"))
        Sleep(static_cast<DWORD>(std::atoi(milliseconds)));
    if (const char* caption = std::getenv("CORVANE_STUB_ASK")) {
        // Announces a changed environment to every top-level window and waits for all of them,
        // then asks the window with `caption` for its text: 122 unless it answers with it.
        SendMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"));
        HWND window = FindWindowA(nullptr, caption);
        std::string text;
        if (window) {
            text.resize(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1);
            text.resize(static_cast<size_t>(
                SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
        }
        if (text != caption)
            return 122;
    }
#endif
#ifdef _WIN32
    if (const char* milliseconds = std::getenv("CORVANE_STUB_LEAVE_MS"))
        LeaveRunning(milliseconds);
#endif
    const char* status = std::getenv("CORVANE_STUB_EXIT");
    return status ? std::atoi(status) : 0;
}
