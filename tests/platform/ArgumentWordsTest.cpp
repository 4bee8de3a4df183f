// Splitting command lines by the Windows C run-time's rules.
#include "platform/ArgumentWords.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(SplitArguments, BlanksSeparateAndQuotesGroup)
{
    EXPECT_EQ(SplitArguments(""), Words{});
    EXPECT_EQ(SplitArguments("KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01"),
              (Words{"KELSETUP-LT", "C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_EQ(SplitArguments("a  \t b\t"), (Words{"a", "b"}));
    EXPECT_EQ(SplitArguments("a \"b c\" d\"e f\"g"), (Words{"a", "b c", "de fg"}));
    EXPECT_EQ(SplitArguments("a \"\""), (Words{"a", ""}));
}

TEST(SplitArguments, ProgramNameTakesNoEscapes)
{
    EXPECT_EQ(SplitArguments("\"c:\\program files\\x\\lt-UPGRADE\" wxyz-lt01"),
              (Words{"c:\\program files\\x\\lt-UPGRADE", "wxyz-lt01"}));
    EXPECT_EQ(SplitArguments("\"c:\\dir\\\" x"), (Words{"c:\\dir\\", "x"}));
}

TEST(SplitArguments, BackslashesEscapeOnlyBeforeAQuote)
{
    EXPECT_EQ(SplitArguments("p a\\b\\\\c"), (Words{"p", "a\\b\\\\c"}));
    EXPECT_EQ(SplitArguments("p a\\\"b"), (Words{"p", "a\"b"}));
    EXPECT_EQ(SplitArguments("p a\\\\\"b c\""), (Words{"p", "a\\b c"}));
    EXPECT_EQ(SplitArguments("p a\\\\\\\"b"), (Words{"p", "a\\\"b"}));
    EXPECT_EQ(SplitArguments("p \"a\"\"b\""), (Words{"p", "a\"b"}));
}
