// The catalogue of system types, keldevicetypes.dat beside the program.
#pragma once

#include <string>
#include <vector>

class CodePage;
class PlatformServices;

/// The catalogue's file name, looked for in the program directory.
inline constexpr const char kCatalogueFileName[] = "keldevicetypes.dat";

/// Every token of the catalogue, in file order, case kept, duplicates kept, read as the code page's
/// bytes; white space and NUL separate them. When the file doesn't open, or a read fails before its
/// end, shows one message and gives the default types LT, WX, PRM, TR9, GNX in that order.
std::vector<std::string> LoadDeviceTypes(PlatformServices& os);

/// The types LoadDeviceTypes gives, in the same order, without any message, for a program in
/// `programDirectory` (ProgramDirectory's result).
std::vector<std::string> OfferedDeviceTypes(PlatformServices& os, const std::string& programDirectory);

/// A few of `types` for a message, as the install dialog's list shows them: the first five
/// different ones, each cut to 32 characters ("..." after a cut), then " ..." when there are more.
/// Its length doesn't grow with the catalogue's.
std::string TypesForAMessage(const CodePage& codePage, const std::vector<std::string>& types);
