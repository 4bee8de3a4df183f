// Reading white-space separated tokens of any length from a C run-time file.
#pragma once

#include "platform/PlatformServices.h"

#include <cstdio>
#include <functional>
#include <string>

/// Hands `sink` every maximal run of non-white-space characters of `file`, from where it stands to
/// its end, in order and whole, whatever its length. The file stays open.
void ReadTokensFrom(std::FILE* file, const std::function<void(const std::string&)>& sink);

/// Opens the file at `path` (a path the C run-time understands) for reading in text mode, hands
/// `sink` its tokens as ReadTokensFrom does and closes it. OpenFailed when it doesn't open.
ReadResult ReadTokenFile(const std::string& path, const std::function<void(const std::string&)>& sink);
