// A demo setup command for the run command: shows the operator, in a message box and on its
// console, the directory it was started in and the arguments it received, then exits with 0.
// Copied under the names the launcher runs (KELSETUP-LT.exe, lt-UPGRADE.exe and so on).
#include "platform/win32/Win32Platform.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    Win32Platform os;
    const std::string name = os.ApplicationTitle();
    std::string text = "Started in " + os.CurrentDirectory() + "\n";
    text += argc == 2 ? "with 1 argument:\n" : "with " + std::to_string(argc - 1) + " arguments:\n";
    for (int i = 1; i < argc; ++i)
        text += "    " + std::to_string(i) + ": " + argv[i] + "\n";
    text += "\nA real " + name + " would set up the system now.";
    std::printf("%s: %s\n", name.c_str(), text.c_str());
    std::fflush(stdout);
    MessageBoxA(nullptr, text.c_str(), name.c_str(), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}
