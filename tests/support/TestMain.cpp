// The main of every test program. The Windows tests work on the real C: drive (they remove and
// remake C:\kel), so they run under Wine only and refuse a real Windows PC.
#include <gtest/gtest.h>

#include "tests/support/TestDrive.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
#ifdef _WIN32
    if (!TestDrive::UnderWine()) {
        std::fprintf(stderr, "%s: refusing to run outside Wine: these tests delete C:\\kel.\n", argv[0]);
        return 3;
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    // A run meant for one code page (CORVANE_EXPECT_CODE_PAGE, set by the test command) fails every
    // test it runs when it got another: Wine takes the code page from the Unix locale, and one that
    // doesn't exist gives 1252 without a word, where each test would pass, fail or skip itself for
    // the wrong reason. Listing the tests needs no code page.
    const char* expected = std::getenv("CORVANE_EXPECT_CODE_PAGE");
    const std::string current = std::to_string(TestDrive::CodePageNumber());
    if (expected && current != expected && !GTEST_FLAG_GET(list_tests)) {
        std::fprintf(stderr, "%s: the code page is %s, not %s: the locale for it is missing.\n", argv[0],
                     current.c_str(), expected);
        return 1;
    }
    return RUN_ALL_TESTS();
}
