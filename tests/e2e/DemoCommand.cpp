// A demo setup command for the run command: shows the operator, in a message box and on its
// console, the directory it was started in and the arguments it received, then exits with 0.
// Copied under the names the launcher runs (KELSETUP-LT.exe, lt-UPGRADE.exe and so on).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string ModulePath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string CurrentDirectory()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), &path[0]);
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::string name = ModulePath();
    name = name.substr(name.find_last_of('\\') + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);

    std::string text = "Started in " + CurrentDirectory() + "\n";
    text += argc == 2 ? "with 1 argument:\n" : "with " + std::to_string(argc - 1) + " arguments:\n";
    for (int i = 1; i < argc; ++i)
        text += "    " + std::to_string(i) + ": " + argv[i] + "\n";
    text += "\nA real " + name + " would set up the system now.";
    std::printf("%s: %s\n", name.c_str(), text.c_str());
    std::fflush(stdout);
    MessageBoxA(nullptr, text.c_str(), name.c_str(), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}
