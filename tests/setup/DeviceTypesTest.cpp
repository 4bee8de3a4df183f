// Reading the device type catalogue beside the program, and the fallback list.
#include "setup/DeviceTypes.h"

#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

const char kCatalogue[] = "C:\\corvane-test\\prog\\keldevicetypes.dat";

Strings Load(TestDrive& drive)
{
    Strings types;
    LoadDeviceTypes(drive.Os(), [&](const std::string& type) { types.push_back(type); });
    return types;
}

}  // namespace

TEST(LoadDeviceTypes, EveryRunOfNonBlanksIsATypeInFileOrder)
{
    TestDrive drive;
    drive.WriteFile(kCatalogue, "LT WX\nPRM\n");
    EXPECT_EQ(Load(drive), (Strings{"LT", "WX", "PRM"}));

    drive.WriteFile(kCatalogue, "\t LT\r\n\r\n  wx \t TR9\r\nLT\tGnx");
    EXPECT_EQ(Load(drive), (Strings{"LT", "wx", "TR9", "LT", "Gnx"}));
    EXPECT_EQ(drive.Os().messages, Strings{});
}

TEST(LoadDeviceTypes, EmptyFileGivesNothingAndNoMessage)
{
    TestDrive drive;
    drive.WriteFile(kCatalogue, "");
    EXPECT_EQ(Load(drive), Strings{});
    drive.WriteFile(kCatalogue, " \r\n\t\n");
    EXPECT_EQ(Load(drive), Strings{});
    EXPECT_EQ(drive.Os().messages, Strings{});
}

TEST(LoadDeviceTypes, MissingFileShowsTheMessageThenTheDefaults)
{
    TestDrive drive;
    Strings events;
    drive.Os().messages.clear();
    LoadDeviceTypes(drive.Os(), [&](const std::string& type) {
        // The message must already have been shown when the first type arrives.
        events.push_back(std::to_string(drive.Os().messages.size()) + ":" + type);
    });
    EXPECT_EQ(drive.Os().messages,
              Strings{"The file keldevicetypes.dat won't open.  Using default list of devices"});
    EXPECT_EQ(events, (Strings{"1:LT", "1:WX", "1:PRM", "1:TR9", "1:GNX"}));
}

TEST(LoadDeviceTypes, TokensOfAnyLengthComeBackWhole)
{
    TestDrive drive;
    const std::string huge(1 << 20, 'X');
    drive.WriteFile(kCatalogue, "LT " + huge + "\nWX");
    const Strings types = Load(drive);
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[1], huge);
    EXPECT_EQ(types[2], "WX");
}

TEST(LoadDeviceTypes, BareProgramNameReadsTheCatalogueInTheCurrentDirectory)
{
    TestDrive drive;
    drive.WriteFile(kCatalogue, "PRM");
    drive.Os().programArgument = "corvane";
    ASSERT_TRUE(drive.Os().ChangeDirectory(TestDrive::kProgramDirectory));
    EXPECT_EQ(Load(drive), Strings{"PRM"});
}
