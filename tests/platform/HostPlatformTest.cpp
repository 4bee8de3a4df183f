// The host services' own rules: drive mapping, case-insensitive resolution, running without a shell.
#include "platform/host/HostPlatform.h"

#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Strings = std::vector<std::string>;

}  // namespace

TEST(HostPlatform, DrivesMapOntoHostFolders)
{
    TestDrive drive;
    HostPlatform os(drive.DriveRoot(), "C:\\x\\corvane.exe");
    EXPECT_EQ(os.CurrentDirectory(), "C:\\");
    EXPECT_EQ(os.HostPath("C:\\"), drive.DriveRoot());
    EXPECT_EQ(os.HostPath("Z:\\usr\\bin"), "/usr/bin");
    EXPECT_EQ(os.HostPath("D:\\x"), "");
    EXPECT_EQ(os.MakeDirectory("D:\\x"), MakeDirResult::Failed);
    EXPECT_EQ(os.ProgramArgument(), "C:\\x\\corvane.exe");

    drive.MakeDirectories("C:\\Program Files\\Setup");
    EXPECT_EQ(os.HostPath("c:/PROGRAM FILES\\setup\\new"), drive.DriveRoot() + "/Program Files/Setup/new");
    ASSERT_TRUE(os.ChangeDirectory("c:\\program files"));
    EXPECT_EQ(os.CurrentDirectory(), "C:\\program files");
    EXPECT_EQ(os.HostPath("setup"), drive.DriveRoot() + "/Program Files/Setup");
    EXPECT_EQ(os.HostPath("\\"), drive.DriveRoot());
    EXPECT_EQ(os.HostPath("..\\..\\.."), drive.DriveRoot());
}

TEST(HostPlatform, ProgramArgumentDefaultsToTheExecutableSeenThroughDriveZ)
{
    HostPlatform os("/tmp");
    const std::string argument = os.ProgramArgument();
    ASSERT_EQ(argument.rfind("Z:\\", 0), 0u) << argument;
    EXPECT_EQ(argument.find('/'), std::string::npos);
    EXPECT_EQ(argument.substr(argument.rfind('\\') + 1), "corvane_tests");
}

TEST(HostPlatform, RunsCommandsWithoutAShell)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.AddCommand("probe");
    EXPECT_EQ(os.RunCommand(CommandRun{"PROBE $(touch x);y `z` 'a b' \"c\\\\d e\" f\\g", TestDrive::kProgramDirectory}), 0);
    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, (Strings{"$(touch", "x);y", "`z`", "'a", "b'", "c\\\\d e", "f\\g"}));
    EXPECT_FALSE(drive.Exists("C:\\corvane-test\\prog\\x"));
}

TEST(HostPlatform, CommandsAreFoundByPathThenCurrentDirectoryThenSearchPath)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.AddCommand("on-path", "C:\\tools");
    const char* saved = std::getenv("PATH");
    const std::string previous = saved ? saved : "";
    setenv("PATH", ("/nonexistent:" + drive.Native("C:\\tools")).c_str(), 1);
    EXPECT_EQ(os.RunCommand(CommandRun{"on-path"}), 0);
    EXPECT_EQ(os.RunCommand(CommandRun{"c:\\TOOLS\\on-path a"}), 0);
    EXPECT_EQ(os.RunCommand(CommandRun{"missing"}), 127);
    EXPECT_EQ(os.RunCommand(CommandRun{""}), 127);
    setenv("PATH", previous.c_str(), 1);
    EXPECT_EQ(drive.Records().size(), 2u);
}

TEST(HostPlatform, MessagesGoToStandardErrorUnderTheProgramName)
{
    HostPlatform os("/tmp", "C:\\Tools\\Corvane.exe");
    testing::internal::CaptureStderr();
    os.ShowMessage("You have to select a system device.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Corvane: You have to select a system device.\n");
}
