// Reading the device type catalogue beside the program, and the fallback list.
#include "setup/DeviceTypes.h"

#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

const char kCatalogue[] = "C:\\corvane-test\\prog\\keldevicetypes.dat";

Strings Load(TestDrive& drive)
{
    return LoadDeviceTypes(drive.Os());
}

const Strings kDefaults = {"LT", "WX", "PRM", "TR9", "GNX"};
const char kWontOpen[] = "The file keldevicetypes.dat won't open.  Using default list of devices";

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

// A NUL separates types as a blank does, so that what the list shows is what the lookup compares;
// a catalogue that can't be read to its end is one that won't open, not a shorter list.
TEST(LoadDeviceTypes, WhatTheCatalogueHoldsAndHowItReadsGiveTheTypesOrTheDefaults)
{
    struct Row {
        std::string bytes;  // empty: no file at all
        bool readFailsHalfway;
        Strings types;
        Strings messages;
    };
    const std::vector<Row> rows = {
        {"", false, kDefaults, {kWontOpen}},
        {std::string("LT\0ZZ9 WX", 9), false, {"LT", "ZZ9", "WX"}, {}},
        {std::string("\0\0LT\0\0", 6), false, {"LT"}, {}},
        {"LT WX PRM TR9", true, kDefaults, {kWontOpen}},
    };
    for (const Row& row : rows) {
        TestDrive drive;
        if (!row.bytes.empty())
            drive.WriteFile(kCatalogue, row.bytes);
        drive.Os().readFailsHalfway = row.readFailsHalfway;
        EXPECT_EQ(Load(drive), row.types) << row.bytes;
        EXPECT_EQ(drive.Os().messages, row.messages) << row.bytes;
        EXPECT_EQ(OfferedDeviceTypes(drive.Os(), TestDrive::kProgramDirectory), row.types) << row.bytes;
        EXPECT_EQ(drive.Os().messages, row.messages) << "no second message";
    }
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
    ASSERT_TRUE(drive.ChangeDirectory(TestDrive::kProgramDirectory));
    EXPECT_EQ(Load(drive), Strings{"PRM"});
}
