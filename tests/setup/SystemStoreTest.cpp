// System names, the type read back out of a name, and the program directory.
#include "setup/SystemStore.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

TEST(ProgramDirectory, KeepsEverythingUpToTheLastBackslash)
{
    EXPECT_EQ(ProgramDirectory("C:\\Tools\\Setup\\corvane.exe"), "C:\\Tools\\Setup\\");
    EXPECT_EQ(ProgramDirectory("C:\\Tools\\Setup\\"), "C:\\Tools\\Setup\\");
    EXPECT_EQ(ProgramDirectory("corvane"), "");
    EXPECT_EQ(ProgramDirectory(""), "");
    EXPECT_EQ(ProgramDirectory("\\"), "\\");
    // Only the backslash separates: a forward slash is part of the name.
    EXPECT_EQ(ProgramDirectory("C:\\a/b/corvane.exe"), "C:\\");
}

TEST(DeriveSystemType, CutsTwoCharactersThenTakesWhatFollowsTheLastDash)
{
    EXPECT_EQ(DeriveSystemType("wxyz-lt03"), "lt");
    EXPECT_EQ(DeriveSystemType("k-2-gnx07"), "gnx");
    EXPECT_EQ(DeriveSystemType("wxyz-lt100"), "lt1");
    EXPECT_EQ(DeriveSystemType("abc01"), "abc");
    EXPECT_EQ(DeriveSystemType("wxyz-03"), "");
    EXPECT_EQ(DeriveSystemType("wxyz-tr901"), "tr9");
    // The dash search only sees the shortened text: a dash among the last two is cut away first.
    EXPECT_EQ(DeriveSystemType("ab-cd-1"), "cd");
    EXPECT_EQ(DeriveSystemType("x"), "");
    EXPECT_EQ(DeriveSystemType(""), "");
}

TEST(SystemName, NumbersHaveAtLeastTwoDigits)
{
    EXPECT_EQ(SystemName("wxyz-lt", 1), "wxyz-lt01");
    EXPECT_EQ(SystemName("wxyz-lt", 99), "wxyz-lt99");
    EXPECT_EQ(SystemName("wxyz-lt", 100), "wxyz-lt100");
    EXPECT_EQ(SystemName("wxyz-lt", 999), "wxyz-lt999");
    EXPECT_EQ(SystemDirectory(kBaseDirectory, "wxyz-lt03"), "C:\\kel\\wxyz-lt03");
}

TEST(SystemName, PrefixAndMarkerPathAreLowerCased)
{
    TestDrive drive;
    EXPECT_EQ(NamePrefix(drive.Os(), "WXYZ", "LT"), "wxyz-lt");
    EXPECT_EQ(NamePrefix(drive.Os(), "K-2", "Gnx"), "k-2-gnx");
    EXPECT_EQ(NamePrefix(drive.Os(), "  ", "LT"), "  -lt");
    EXPECT_EQ(MarkerPath(drive.Os(), kBaseDirectory, "wxyz-lt01"), "c:\\kel\\wxyz-lt01\\sysname.dat");
}
