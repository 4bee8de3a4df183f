// The names Windows can't make: devices before a dot, and paths past its limit.
#include "setup/WindowsNames.h"

#include "platform/CodePage.h"
#include "setup/SystemStore.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(WindowsNames, TheDevicesWindowsTakesAComponentFor)
{
    const std::vector<std::pair<std::string, std::string>> rows = {  // component, device ("" none)
        {"aux.", "AUX"},
        {"Nul.x", "NUL"},
        {"prn.a.b", "PRN"},
        {"COM0", "COM0"},
        {"lpt9.x", "LPT9"},
        {"com\xC2\xB9.a", "COM\xC2\xB9"},  // COM¹
        {"con  .txt-lt999", "CON"},
        // Near misses.
        {"console", ""},
        {"com10.a", ""},
        {"con-lt01", ""},
        {"com\xE2\x81\xB4.a", ""},  // COM⁴: no port
        {"a.con", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReservedDevice(row.first), row.second) << row.first;
}

// The longest name a claim can make has a three-digit number: C:\kel\, the letters, "-", the type
// and three digits may come to 247 UTF-16 units, and its marker path to 259.
TEST(WindowsNames, NamesWithADeviceOrPastThePathLimitAreRefusedWithTheirReason)
{
    const Latin1CodePage latin1;
    const auto tooLong = [](int directory) {
        return "The call letters and the system type are too long for Windows: with a three-digit number the system "
               "directory would have " + std::to_string(directory) + " characters and its setup file's path " +
               std::to_string(directory + 12) + ", where Windows takes 247 and 259.";
    };
    const auto device = [](const std::string& letters, const std::string& name) {
        return "The call letters " + letters + " can't be used: Windows takes a name that is " + name +
               " before its first dot for a device.";
    };
    std::string astral;  // U+10000, two UTF-16 units each
    for (int i = 0; i < 117; ++i)
        astral += "\xF0\x90\x80\x80";
    struct Row {
        std::string letters;
        std::string type;
        std::string reason;  // "" when Windows makes every name
    };
    const std::vector<Row> rows = {
        {"COM1.a", "LT", device("COM1.a", "COM1")},
        {"CON", "LT", ""},
        {"WXYZ", "CON", ""},
        {std::string(234, 'W'), "LT", ""},
        {std::string(235, 'W'), "LT", tooLong(248)},
        {"W", std::string(235, 'T'), ""},
        {"W", std::string(236, 'T'), tooLong(248)},
        {astral, "LT", ""},
        {astral + "\xF0\x90\x80\x80", "LT", tooLong(249)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(WhyWindowsRefusesNames(latin1, kBaseDirectory, row.letters, row.type), row.reason)
            << row.letters.size() << " " << row.letters.substr(0, 12) << " " << row.type.substr(0, 12);
}
