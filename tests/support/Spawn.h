// Starting several test processes at once and waiting for all of them.
#pragma once

#include <string>
#include <vector>

/// `word` as a Windows command-line argument that the started program's C run-time splits back
/// out whole: as it is when it needs no quotes, else quoted with its backslashes and quotes escaped.
std::string QuotedArgument(const std::string& word);

/// Starts every command (program path, then its arguments) at once and waits for all; returns
/// their exit statuses in the same order (-1 for one that could not start).
std::vector<int> RunConcurrently(const std::vector<std::vector<std::string>>& commands);
