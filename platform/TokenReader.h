// Reading white-space separated tokens of any length from a C run-time file.
#pragma once

#include "platform/PlatformServices.h"

#include <cstdio>
#include <functional>
#include <string>

/// Hands `sink` every maximal run of bytes of `file` that are neither white space nor NUL, from
/// where it stands to its end, in order and whole, whatever its length. The file stays open.
/// False when a read failed before the end.
bool ReadTokensFrom(std::FILE* file, const std::function<void(const std::string&)>& sink);

/// Hands `sink` the tokens of `file` as ReadTokensFrom does, then closes it. OpenFailed when
/// `file` is null (it did not open).
ReadResult ReadTokenFile(std::FILE* file, const std::function<void(const std::string&)>& sink);
