// A child process for the concurrency tests: installs the same call letters and type N times.
// Usage: install_child <drive root or -> <call letters> <type> <count>
#include "setup/Install.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/TestDrive.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#else
#include "platform/host/HostPlatform.h"
#endif

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
#ifdef _WIN32
    if (!TestDrive::UnderWine()) {
        std::fprintf(stderr, "install_child: refusing to run outside Wine: it writes C:\\kel.\n");
        return 3;
    }
    Win32Platform real;
#else
    HostPlatform real(argv[1]);
#endif
    RecordingPlatform os(real);
    os.programArgument = TestDrive::kProgramPath;
    int failures = 0;
    for (int i = std::atoi(argv[4]); i > 0; --i) {
        if (InstallSystem(os, argv[2], argv[3]) != SetupResult::Done)
            ++failures;
    }
    for (const std::string& message : os.messages)
        std::fprintf(stderr, "%s\n", message.c_str());
    return failures == 0 ? 0 : 1;
}
