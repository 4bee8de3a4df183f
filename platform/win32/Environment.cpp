// The environment on Windows: Win32 calls only.
#include "platform/Environment.h"

#include "unicode/Wide.h"

#include <windows.h>

bool EnvironmentHas(const std::string& name)
{
    // Without a buffer the size needed comes back, its NUL counted: 1 is a value of nothing, 0 no
    // variable at all.
    return GetEnvironmentVariableW(Wide(name).c_str(), nullptr, 0) > 1;
}
