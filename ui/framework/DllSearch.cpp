// The DLL search restriction, looked up at run time: Windows 7 has SetDefaultDllDirectories only
// with update KB2533623.
#include "ui/framework/DllSearch.h"

#include <windows.h>

namespace {

// A function of kernel32 by name, or nullptr when this Windows lacks it. The cast goes through a
// function pointer without parameters, which GCC accepts as a generic one.
template <typename Function>
Function Kernel32Function(const char* name)
{
    FARPROC address = GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}

void RestrictDllSearch()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    auto setDefaultDllDirectories = Kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    if (setDefaultDllDirectories == nullptr || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // Without the update the program's own folder stays first, but the current directory
        // goes. The program loads no DLL by name itself, so no full path is needed here.
        SetDllDirectoryA("");
    }
    using SetSearchPathModeFunction = BOOL(WINAPI*)(DWORD);
    if (auto setSearchPathMode = Kernel32Function<SetSearchPathModeFunction>("SetSearchPathMode")) {
        setSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
    }
}
