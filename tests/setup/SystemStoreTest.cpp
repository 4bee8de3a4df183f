// System names, the type read back out of a name, and the program directory.
#include "setup/SystemStore.h"

#include "platform/Characters.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

TEST(ProgramDirectory, KeepsEverythingUpToTheLastBackslash)
{
    TestDrive drive;
    PlatformServices& os = drive.Os();
    EXPECT_EQ(ProgramDirectory(os, "C:\\Tools\\Setup\\corvane.exe"), "C:\\Tools\\Setup\\");
    EXPECT_EQ(ProgramDirectory(os, "C:\\Tools\\Setup\\"), "C:\\Tools\\Setup\\");
    EXPECT_EQ(ProgramDirectory(os, "corvane"), "");
    EXPECT_EQ(ProgramDirectory(os, ""), "");
    EXPECT_EQ(ProgramDirectory(os, "\\"), "\\");
    // Only the backslash separates: a forward slash is part of the name.
    EXPECT_EQ(ProgramDirectory(os, "C:\\a/b/corvane.exe"), "C:\\");
}

TEST(ProgramDirectory, TitleAndHelpCutsStepOverDoubleByteCharacters)
{
    TestDrive drive;
    ShiftJisPlatform sjis(drive.Real());
    // "\x83\x5C" is one Shift-JIS character whose trail byte is a backslash: it ends no directory.
    const std::string folder = "C:\\Tools\\\x83\x5C";
    EXPECT_EQ(ProgramDirectory(sjis, folder + "\\corvane.exe"), folder + "\\");
    EXPECT_EQ(ProgramDirectory(sjis, folder + "corvane.exe"), "C:\\Tools\\");
    EXPECT_EQ(NameStart(sjis, "\x83\x5C" "corvane.exe"), 0u);
    EXPECT_EQ(WithoutExtension(sjis, folder + ".v2\\setup.tool.exe"), folder + ".v2\\setup.tool");
    EXPECT_EQ(WithoutExtension(sjis, folder + ".v2\\corvane"), folder + ".v2\\corvane");
    EXPECT_EQ(WithoutExtension(sjis, "C:\\kel\\.hidden"), "C:\\kel\\.hidden");
    // Single-byte, the same bytes are a backslash.
    EXPECT_EQ(ProgramDirectory(drive.Os(), folder + "corvane.exe"), folder);
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
