// The store of system directories under C:\kel: system names, the marker file and the program directory.
#pragma once

#include <string>
#include <vector>

class CodePage;
class PlatformServices;

/// The fixed root of every system directory.
inline constexpr const char kBaseDirectory[] = "C:\\kel";
/// The marker file inside each system directory; it holds the directory's system name.
inline constexpr const char kMarkerFileName[] = "sysname.dat";
/// Sequence numbers run from 1 to kLastSystemNumber.
inline constexpr int kLastSystemNumber = 999;

/// `argument` with everything after its last backslash removed; the result ends in a backslash or
/// is empty (an argument without any backslash).
std::string ProgramDirectory(const std::string& argument);

/// ProgramDirectory of the running program's own path.
std::string ProgramDirectory(PlatformServices& os);

/// The system type inside a system name: the last two characters (the number) dropped, then
/// everything after the last remaining "-" (or the whole rest when there is none).
/// wxyz-lt03 gives lt, wxyz-lt100 gives lt1, abc01 gives abc, wxyz-03 gives "".
std::string DeriveSystemType(const std::string& name);

/// Lower-cased call letters, "-" and lower-cased system type: the part of a name before its number.
std::string NamePrefix(const CodePage& codePage, const std::string& callLetters, const std::string& systemType);

/// The prefix followed by `number` formatted with at least two digits (wxyz-lt03, wxyz-lt100).
std::string SystemName(const std::string& prefix, int number);

/// The base directory, a backslash and the name.
std::string SystemDirectory(const std::string& baseDirectory, const std::string& name);

/// The marker file's path in `systemDirectory`, lower-cased as a whole (c:\kel\wxyz-lt01\sysname.dat).
std::string MarkerPath(const CodePage& codePage, const std::string& systemDirectory);

/// `names` in the order the dialogs' sorted lists show them.
std::vector<std::string> SortedAsListed(const CodePage& codePage, std::vector<std::string> names);

/// The first `count` different entries of `names` in the order the dialogs' sorted lists show
/// them (fewer when there are fewer), found in one pass: comparisons grow with the entries, not
/// with a sort of them all.
std::vector<std::string> FirstAsListed(const CodePage& codePage, const std::vector<std::string>& names, size_t count);

/// The entry of `names` equal to `wanted`, or else the first equal to it ignoring case; nullptr
/// when there is none.
const std::string* FindName(const CodePage& codePage, const std::vector<std::string>& names,
                            const std::string& wanted);

/// The first of `names` that an install of `callLetters` and `systemType` made, as it names them:
/// NamePrefix followed by one or more digits and nothing else, ignoring case as the code page
/// lower-cases (Windows takes names that differ only so for one directory). A name that the longer
/// prefix of another of `offeredTypes` fits as well is that type's system: wxyz-tr901 is TR9's
/// first, not TR's 901st, while TR9 is offered. nullptr when there is none.
const std::string* FindRegistered(const CodePage& codePage, const std::vector<std::string>& names,
                                  const std::string& callLetters, const std::string& systemType,
                                  const std::vector<std::string>& offeredTypes);
