// The main of every test program. The Windows tests work on the real C: drive (they remove and
// remake C:\kel), so they run under Wine only and refuse a real Windows PC.
#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include "tests/support/TestDrive.h"
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    if (!TestDrive::UnderWine()) {
        std::fprintf(stderr, "%s: refusing to run outside Wine: these tests delete C:\\kel.\n", argv[0]);
        return 3;
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
