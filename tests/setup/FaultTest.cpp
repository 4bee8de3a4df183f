// Installs against a store the process may not write: each stops with its one message, makes
// nothing and runs nothing.
#include "setup/Install.h"

#include "setup/SystemStore.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using Strings = std::vector<std::string>;

#ifndef _WIN32

/// What an install reported.
struct Outcome {
    bool succeeded = true;
    Strings messages;
};

// Root's mkdir ignores permissions, so under root the install runs in a child process that has
// given them up (user and group "nobody"); otherwise it runs here. The child sends back the result
// and each message on a line of its own.
Outcome InstallWithoutPrivileges(TestDrive& drive)
{
    const auto install = [&drive]() {
        std::string report = InstallSystem(drive.Os(), "WXYZ", "LT") == SetupResult::Done ? "1" : "0";
        for (const std::string& message : drive.Os().messages)
            report += "\n" + message;
        return report;
    };
    std::string report;
    if (::geteuid() != 0) {
        report = install();
    } else {
        int channel[2];
        if (::pipe(channel) != 0)
            return Outcome{true, {"no pipe"}};
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            const std::string text =
                ::setgid(65534) == 0 && ::setuid(65534) == 0 ? install() : std::string("1\ncould not drop privileges");
            for (size_t done = 0; done < text.size();) {
                const ssize_t n = ::write(channel[1], text.data() + done, text.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<size_t>(n);
            }
            ::_exit(0);
        }
        ::close(channel[1]);
        std::string chunk(4096, '\0');
        ssize_t n;
        while ((n = ::read(channel[0], &chunk[0], chunk.size())) > 0)
            report.append(chunk, 0, static_cast<size_t>(n));
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    Outcome outcome;
    outcome.succeeded = report.empty() || report[0] != '0';
    size_t start = report.find('\n');
    while (start != std::string::npos) {
        const size_t end = report.find('\n', start + 1);
        outcome.messages.push_back(report.substr(start + 1, end == std::string::npos ? end : end - start - 1));
        start = end;
    }
    return outcome;
}

TEST(InstallFaults, UnwritableDriveStopsAtTheBaseDirectory)
{
    TestDrive drive;
    drive.AddCommand("KELSETUP-LT");
    ASSERT_EQ(::chmod(drive.DriveRoot().c_str(), 0555), 0);

    const Outcome outcome = InstallWithoutPrivileges(drive);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.messages, Strings{"Could not create kel subdirectory C:\\kel.  Check Permissions"});
    EXPECT_FALSE(drive.Exists(kBaseDirectory));
    EXPECT_TRUE(drive.Records().empty());
}

TEST(InstallFaults, UnwritableBaseDirectoryFailsEveryNumberAndKeepsWhatIsThere)
{
    TestDrive drive;
    drive.AddCommand("KELSETUP-LT");
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.WriteFile("C:\\kel\\wxyz-lt01\\sysname.dat", "wxyz-lt01");
    ASSERT_EQ(::chmod(drive.DriveRoot().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(drive.Native(kBaseDirectory).c_str(), 0555), 0);

    const Outcome outcome = InstallWithoutPrivileges(drive);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.messages, Strings{"Could not open any C:\\kel\\wxyz-ltnn subdirectories for output file"});
    EXPECT_EQ(drive.Entries(kBaseDirectory), Strings{"wxyz-lt01"});
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    EXPECT_TRUE(drive.Records().empty());
}

#endif

}  // namespace
