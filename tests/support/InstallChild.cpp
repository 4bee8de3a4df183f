// A child process for the concurrency tests: installs the same call letters and type N times.
// Usage: install_child <drive root or -> <call letters> <type> <count>
#include "setup/Install.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/StubRecords.h"
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

namespace {

#ifdef _WIN32
// Wine now and then fails to start a program at all, and its interpreter reports that as a command
// it can't recognize, with 9009 (README, notes on testing). A command that ended so while the stub
// recorded no run with its arguments is run again, a few times at most; a command that is really
// missing still fails. How often it was needed is told on the standard error.
class WineRetryingPlatform : public RecordingPlatform {
public:
    using RecordingPlatform::RecordingPlatform;

    int restarts = 0;

    std::optional<int> RunCommand(const std::string& commandLine) override
    {
        std::optional<int> status = RecordingPlatform::RunCommand(commandLine);
        for (int again = 0; again < 3 && status == 9009 && !Recorded(commandLine); ++again) {
            ++restarts;
            status = Next().RunCommand(commandLine);
        }
        return status;
    }

private:
    // The stub's records hold its arguments; the last word of an install command, the system's
    // name, is one of a kind.
    static bool Recorded(const std::string& commandLine)
    {
        const char* directory = std::getenv("CORVANE_STUB_RECORDS");
        const std::string name = commandLine.substr(commandLine.rfind(' ') + 1);
        for (const StubRecord& record : ReadStubRecords(directory ? directory : "")) {
            if (!record.arguments.empty() && record.arguments.back() == name)
                return true;
        }
        return false;
    }
};
#endif

}  // namespace

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
    WineRetryingPlatform os(real);
#else
    HostPlatform real(argv[1]);
    RecordingPlatform os(real);
#endif
    os.programArgument = TestDrive::kProgramPath;
    int failures = 0;
    for (int i = std::atoi(argv[4]); i > 0; --i) {
        if (InstallSystem(os, argv[2], argv[3]) != SetupResult::Done)
            ++failures;
    }
    for (const std::string& message : os.messages)
        std::fprintf(stderr, "%s\n", message.c_str());
#ifdef _WIN32
    if (os.restarts > 0)
        std::fprintf(stderr, "install_child: ran %d setup command(s) again: 9009 without a run of the stub\n", os.restarts);
#endif
    return failures == 0 ? 0 : 1;
}
