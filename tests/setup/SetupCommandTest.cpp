// The unsafe-character check and the quoting of the setup command lines.
#include "setup/SetupCommand.h"

#include "platform/ArgumentWords.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

}  // namespace

// A word of a command line may hold nothing that reaches outside the base directory, expands, ends
// the quotes it is put in or ends the line; a character of any other script is none of these, even
// where its code-page bytes would hold a "\" (ソ in Shift-JIS is 0x83 0x5C).
TEST(SetupCommand, RefusesWhatNoQuotingCarriesAndNothingElse)
{
    for (const std::string& text : std::vector<std::string>{"..\\x", "a/b", "%PATH%", "\\", "wx%", "x\"&pwn&\"-lt01", "\"", "a\tb",
                                   "a\nb", "a\rb", "a\x1f" "b", "a\x7f" "b", std::string("a\0b", 3)})
        EXPECT_TRUE(HasUnsafeCharacter(text)) << text;
    for (const char* text : {"WXYZ", "AB CD", "A&B", "k-2", "", "a:b", "\xE3\x82\xBD", "x\xEF\xBC\x82-lt01",
                             "\xC5\x81\xC3\xB3" "d\xC5\xBA"})
        EXPECT_FALSE(HasUnsafeCharacter(text)) << text;
    EXPECT_FALSE(HasUnquotableCharacter("c:\\program files\\50%\\"));
    EXPECT_TRUE(HasUnquotableCharacter("c:\\a\"b\\"));
    EXPECT_TRUE(HasUnquotableCharacter("c:\\a\x01" "b\\"));
}

TEST(SetupCommand, QuotesOnlyWordsTheInterpreterWouldSplitOrActOn)
{
    EXPECT_EQ(QuoteWord("wxyz-lt01"), "wxyz-lt01");
    EXPECT_EQ(QuoteWord("C:\\kel\\ab cd-lt01"), "\"C:\\kel\\ab cd-lt01\"");
    for (const char* word : {"a\tb", "a&b", "a^b", "a(b", "a)b", "a,b", "a;b", "a=b", "a|b", "a<b", "a>b"})
        EXPECT_EQ(QuoteWord(word), std::string("\"") + word + "\"") << word;
    EXPECT_EQ(QuoteWord("\xE3\x82\xBD"), "\xE3\x82\xBD");
    EXPECT_EQ(InstallCommandLine(false, "LT", "C:\\kel\\wxyz-lt02", "wxyz-lt02"),
              "KELSETUP-LT C:\\kel\\wxyz-lt02 wxyz-lt02");
    EXPECT_EQ(InstallCommandLine(true, "LT", "C:\\kel\\wxyz-lt02", "wxyz-lt02"),
              ".\\KELSETUP-LT C:\\kel\\wxyz-lt02 wxyz-lt02");
    EXPECT_EQ(UpgradeCommandLine("c:\\tools\\setup\\", "lt", "wxyz-lt02"), "c:\\tools\\setup\\lt-UPGRADE wxyz-lt02");
    EXPECT_EQ(UpgradeCommandLine("c:\\program files\\setup\\", "lt", "wxyz-lt02"),
              "\"c:\\program files\\setup\\lt-UPGRADE\" wxyz-lt02");
}

TEST(SetupCommand, SplitsBackIntoTheIntendedWords)
{
    EXPECT_EQ(SplitArguments(InstallCommandLine(false, "L T", "C:\\kel\\ab cd-l t01", "ab cd-l t01")),
              (Words{"KELSETUP-L T", "C:\\kel\\ab cd-l t01", "ab cd-l t01"}));
    EXPECT_EQ(SplitArguments(UpgradeCommandLine("c:\\a b\\", "x&y", "q-x&y01")),
              (Words{"c:\\a b\\x&y-UPGRADE", "q-x&y01"}));
}
