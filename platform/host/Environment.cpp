// The environment on a POSIX host: C library calls only.
#include "platform/Environment.h"

#include <cstdlib>

bool EnvironmentHas(const std::string& name)
{
    return std::getenv(name.c_str()) != nullptr;
}
