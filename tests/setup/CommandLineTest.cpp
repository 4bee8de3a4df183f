// The unsafe-character check and the quoting of the setup command lines.
#include "setup/CommandLine.h"

#include "platform/CommandLineWords.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

}  // namespace

TEST(CommandLine, RefusesPathSeparatorsAndPercent)
{
    TestDrive drive;
    for (const char* text : {"..\\x", "a/b", "%PATH%", "\\", "wx%"})
        EXPECT_TRUE(HasUnsafeCharacter(drive.Os(), text)) << text;
    for (const char* text : {"WXYZ", "AB CD", "A&B", "k-2", "", "a:b"})
        EXPECT_FALSE(HasUnsafeCharacter(drive.Os(), text)) << text;
}

TEST(CommandLine, QuotesOnlyWordsTheInterpreterWouldSplitOrActOn)
{
    TestDrive drive;
    EXPECT_EQ(QuoteWord(drive.Os(), "wxyz-lt01"), "wxyz-lt01");
    EXPECT_EQ(QuoteWord(drive.Os(), "C:\\kel\\ab cd-lt01"), "\"C:\\kel\\ab cd-lt01\"");
    for (const char* word : {"a\tb", "a&b", "a^b", "a(b", "a)b", "a,b", "a;b", "a=b", "a|b", "a<b", "a>b"})
        EXPECT_EQ(QuoteWord(drive.Os(), word), std::string("\"") + word + "\"") << word;
    EXPECT_EQ(InstallCommandLine(drive.Os(), "LT", "C:\\kel\\wxyz-lt02", "wxyz-lt02"),
              "KELSETUP-LT C:\\kel\\wxyz-lt02 wxyz-lt02");
    EXPECT_EQ(UpgradeCommandLine(drive.Os(), "c:\\tools\\setup\\", "lt", "wxyz-lt02"),
              "c:\\tools\\setup\\lt-UPGRADE wxyz-lt02");
    EXPECT_EQ(UpgradeCommandLine(drive.Os(), "c:\\program files\\setup\\", "lt", "wxyz-lt02"),
              "\"c:\\program files\\setup\\lt-UPGRADE\" wxyz-lt02");
}

TEST(CommandLine, SplitsBackIntoTheIntendedWords)
{
    TestDrive drive;
    EXPECT_EQ(SplitCommandLine(InstallCommandLine(drive.Os(), "L T", "C:\\kel\\ab cd-l t01", "ab cd-l t01")),
              (Words{"KELSETUP-L T", "C:\\kel\\ab cd-l t01", "ab cd-l t01"}));
    EXPECT_EQ(SplitCommandLine(UpgradeCommandLine(drive.Os(), "c:\\a b\\", "x&y", "q-x&y01")),
              (Words{"c:\\a b\\x&y-UPGRADE", "q-x&y01"}));
}

TEST(CommandLine, StepsOverDoubleByteCharacters)
{
    TestDrive drive;
    ShiftJisPlatform sjis(drive.Real());
    const std::string trailBackslash = "\x95\x5C";  // one character, trail byte 0x5C
    const std::string trailCaret = "\x83\x5E";      // one character, trail byte 0x5E
    EXPECT_FALSE(HasUnsafeCharacter(sjis, "WX" + trailBackslash));
    EXPECT_TRUE(HasUnsafeCharacter(sjis, "WX" + trailBackslash + "\\"));
    EXPECT_EQ(QuoteWord(sjis, "a" + trailCaret), "a" + trailCaret);
    EXPECT_EQ(QuoteWord(sjis, "a " + trailCaret), "\"a " + trailCaret + "\"");
    // A lead byte at the very end has no trail: it is taken as it is.
    EXPECT_TRUE(HasUnsafeCharacter(sjis, std::string("%\x95")));
}
