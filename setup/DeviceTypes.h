// The catalogue of system types, keldevicetypes.dat beside the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

class PlatformServices;

/// The catalogue's file name, looked for in the program directory.
inline constexpr const char kCatalogueFileName[] = "keldevicetypes.dat";

/// Hands `sink` every white-space separated token of the catalogue, in file order, case kept,
/// duplicates kept. When the file doesn't open, shows one message and then hands over the default
/// types LT, WX, PRM, TR9, GNX in that order.
void LoadDeviceTypes(PlatformServices& os, const std::function<void(const std::string&)>& sink);

/// The types LoadDeviceTypes hands over, in the same order, without any message.
std::vector<std::string> OfferedDeviceTypes(PlatformServices& os);
