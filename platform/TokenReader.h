// Reading white-space separated tokens of any length from an open C run-time file.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

/// Hands `sink` every maximal run of non-white-space characters of `file`, from where it stands to
/// its end, in order and whole, whatever its length. The file stays open.
void ReadTokensFrom(std::FILE* file, const std::function<void(const std::string&)>& sink);
