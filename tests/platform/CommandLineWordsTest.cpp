// Splitting command lines by the Windows C run-time's rules.
#include "platform/CommandLineWords.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup)
{
    EXPECT_EQ(SplitCommandLine(""), Words{});
    EXPECT_EQ(SplitCommandLine("KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01"),
              (Words{"KELSETUP-LT", "C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_EQ(SplitCommandLine("a  \t b\t"), (Words{"a", "b"}));
    EXPECT_EQ(SplitCommandLine("a \"b c\" d\"e f\"g"), (Words{"a", "b c", "de fg"}));
    EXPECT_EQ(SplitCommandLine("a \"\""), (Words{"a", ""}));
}

TEST(SplitCommandLine, ProgramNameTakesNoEscapes)
{
    EXPECT_EQ(SplitCommandLine("\"c:\\program files\\x\\lt-UPGRADE\" wxyz-lt01"),
              (Words{"c:\\program files\\x\\lt-UPGRADE", "wxyz-lt01"}));
    EXPECT_EQ(SplitCommandLine("\"c:\\dir\\\" x"), (Words{"c:\\dir\\", "x"}));
}

TEST(SplitCommandLine, BackslashesEscapeOnlyBeforeAQuote)
{
    EXPECT_EQ(SplitCommandLine("p a\\b\\\\c"), (Words{"p", "a\\b\\\\c"}));
    EXPECT_EQ(SplitCommandLine("p a\\\"b"), (Words{"p", "a\"b"}));
    EXPECT_EQ(SplitCommandLine("p a\\\\\"b c\""), (Words{"p", "a\\b c"}));
    EXPECT_EQ(SplitCommandLine("p a\\\\\\\"b"), (Words{"p", "a\\\"b"}));
    EXPECT_EQ(SplitCommandLine("p \"a\"\"b\""), (Words{"p", "a\"b"}));
}
