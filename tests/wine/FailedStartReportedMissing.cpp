// Shows, outside the program, why a setup command now and then "can't be recognized" under Wine:
// Debian's Wine 8 without its preloader (package wine64-preloader) reserves its fixed areas only
// once the C library runs, and the loader's heap, which Linux places anywhere in a gigabyte above
// it, sometimes already covers 0x7ffe0000. The new process dies before its first instruction with
// "err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018",
// CreateProcess fails with ERROR_INTERNAL_ERROR (1359), and Wine's cmd, which takes any failure to
// start a program it found for a missing one, prints "Can't recognize" and exits with 9009.
//
//     WINEDEBUG=err+all wine failed_start_reported_missing.exe [starts]
//
// starts this program again and again (8 at a time, 20,000 times unless told), half of the starts
// directly and half as "cmd /c failed_start_reported_missing child" from its own folder, and prints how
// each kind ended. On Windows every start runs and exits with 7 (exit status 0); under Wine about
// one start in 10,000 fails, usually within a few minutes (exit status 1).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

const DWORD kChildStatus = 7;

std::string ModulePath()
{
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path;
}

std::string SystemFolder()
{
    std::string folder(GetSystemDirectoryA(nullptr, 0), '\0');
    folder.resize(GetSystemDirectoryA(&folder[0], static_cast<UINT>(folder.size())));
    return folder;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "child")
        return static_cast<int>(kChildStatus);
    const int starts = argc > 1 ? std::atoi(argv[1]) : 20000;
    const std::string self = ModulePath();
    const std::string folder = self.substr(0, self.rfind('\\'));
    std::string name = self.substr(folder.size() + 1);
    name = name.substr(0, name.rfind('.'));
    const std::string cmd = SystemFolder() + "\\cmd.exe";

    std::mutex lock;
    std::map<std::string, int> outcomes;  // how each kind of start ended, counted
    int next = 0;
    int failed = 0;
    std::vector<std::thread> workers;
    for (int w = 0; w < 8; ++w) {
        workers.emplace_back([&] {
            for (;;) {
                int n = 0;
                {
                    std::lock_guard<std::mutex> hold(lock);
                    if (next == starts)
                        return;
                    n = next++;
                }
                const bool direct = n % 2 == 0;
                const std::string program = direct ? self : cmd;
                std::string line = direct ? "\"" + self + "\" child" : "\"" + cmd + "\" /c " + name + " child";
                STARTUPINFOA startup{};
                startup.cb = sizeof startup;
                PROCESS_INFORMATION started{};
                std::string outcome;
                bool ran = false;
                if (CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                   &startup, &started)) {
                    WaitForSingleObject(started.hProcess, INFINITE);
                    DWORD status = 0;
                    GetExitCodeProcess(started.hProcess, &status);
                    CloseHandle(started.hThread);
                    CloseHandle(started.hProcess);
                    outcome = "exit status " + std::to_string(status);
                    ran = status == kChildStatus;
                } else {
                    outcome = "CreateProcess error " + std::to_string(GetLastError());
                }
                std::lock_guard<std::mutex> hold(lock);
                failed += ran ? 0 : 1;
                ++outcomes[std::string(direct ? "direct" : "cmd /c") + ", " + outcome];
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    for (const auto& outcome : outcomes)
        std::printf("%s: %d\n", outcome.first.c_str(), outcome.second);
    return failed == 0 ? 0 : 1;
}
