// What the program reads of its environment: whether a variable is set.
#pragma once

#include <string>

/// True when the environment variable `name` is set. On Windows one set to nothing counts as not
/// set; on a POSIX host it counts as set.
bool EnvironmentHas(const std::string& name);
