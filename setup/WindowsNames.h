// The names Windows can't make for a system, whatever the file system under it takes: device names
// and paths longer than it handles.
#pragma once

#include <cstddef>
#include <string>

class CodePage;

/// The most UTF-16 units a directory's path may have for Windows to make it: MAX_PATH (260) less
/// the 12 it keeps free for a file name inside, less the terminating null.
inline constexpr size_t kLongestDirectoryPath = 247;
/// The most UTF-16 units a file's path may have for Windows to open it: MAX_PATH less the null.
inline constexpr size_t kLongestFilePath = 259;

/// The device Windows takes the path component `component` for, in upper case (CON, COM¹), or ""
/// when it takes it for a name: CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9, COM¹ to COM³ and
/// LPT¹ to LPT³ (¹²³ in UTF-8), in any case, alone or before the component's first dot, blanks
/// before that dot ignored.
std::string ReservedDevice(const std::string& component);

/// The number of UTF-16 units Windows counts in the UTF-8 `text`: two for a character beyond
/// U+FFFF, one for any other (a malformed byte too, which comes out as U+FFFD).
size_t Utf16Length(const std::string& text);

/// Why Windows can't make every directory and marker an install of `callLetters` and `systemType`
/// may claim under `baseDirectory` (numbers 1 to 999, so three digits at most): the message for the
/// operator, or "" when it can make them all. A component it takes for a device comes first, then
/// a system directory or marker path longer than kLongestDirectoryPath or kLongestFilePath.
std::string WhyWindowsRefusesNames(const CodePage& codePage, const std::string& baseDirectory,
                                   const std::string& callLetters, const std::string& systemType);
