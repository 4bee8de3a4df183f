// Stores and names at the sizes an operator could reach: a very large base directory, and names
// near the longest a directory entry may have.
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

#ifdef _WIN32
// Under Wine each entry made costs round trips to its server (about 2 ms), so the store is smaller.
constexpr int kStoreSize = 10000;
#else
constexpr int kStoreSize = 100000;
#endif

}  // namespace

TEST(Load, LargeStoreListsEveryEntryOnce)
{
    TestDrive drive;
    drive.MakeDirectories(kBaseDirectory);
    const std::filesystem::path base = drive.Native(kBaseDirectory);
    Strings expected;
    expected.reserve(kStoreSize);
    for (int n = 0; n < kStoreSize; ++n) {
        // Files and directories alike: both are listed.
        const std::string name = "s" + std::to_string(n) + "-lt01";
        if (n % 10 == 0)
            std::ofstream(base / name).put('x');
        else
            std::filesystem::create_directory(base / name);
        expected.push_back(name);
    }
    drive.WriteFile("C:\\kel\\readme.txt", "");

    const std::string before = drive.Os().CurrentDirectory();
    Strings listed = ListInstalledSystems(drive.Os(), kBaseDirectory);
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(listed.size(), expected.size());
    EXPECT_TRUE(listed == expected);
    EXPECT_EQ(drive.Os().CurrentDirectory(), before);
}

// A 250-character name (245 call letters, "-", "lt" and the number), too long for an install to
// make now, but made by an earlier version where nothing kept Windows' path limit (Wine): it is
// listed and upgraded all the same.
TEST(Load, NameOf250CharactersMadeBeforeListsAndUpgrades)
{
    TestDrive drive;
    drive.AddCommand("lt-UPGRADE");
    const std::string name = std::string(245, 'w') + "-lt01";
    ASSERT_EQ(name.size(), 250u);
    const std::string directory = SystemDirectory(kBaseDirectory, name);
    drive.MakeDirectories(directory);
    drive.WriteFile(directory + "\\sysname.dat", name);

    const Strings listed = ListInstalledSystems(drive.Os(), kBaseDirectory);
    ASSERT_EQ(listed, Strings{name});
    ASSERT_EQ(UpgradeSystem(drive.Os(), listed[0]), SetupResult::Done);
    ASSERT_EQ(drive.Records().size(), 1u);
    EXPECT_EQ(drive.Records()[0].arguments, Strings{name});
    EXPECT_EQ(drive.Os().messages, Strings{});
}
