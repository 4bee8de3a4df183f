// A path made full against a directory, as Windows makes it.
#pragma once

#include <string>

/// `path` made full against the full directory `current` as Windows does: "run.log", "\\run.log"
/// (the root of the current drive, or of the share of a \\server\share\... directory) and
/// "D:run.log"; full paths and "" stay as they are.
std::string FullPath(const std::string& path, std::string current);
