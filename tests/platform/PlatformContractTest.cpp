// What the setup operations rely on from the platform services, checked on the real ones.
#include "platform/PlatformServices.h"

#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Strings = std::vector<std::string>;

bool SameIgnoringCase(std::string a, std::string b)
{
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        return s;
    };
    return lower(std::move(a)) == lower(std::move(b));
}

}  // namespace

TEST(Platform, MakeDirectoryTellsOnlyAnExistingDirectoryApart)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    EXPECT_EQ(os.MakeDirectory("C:\\kel"), MakeDirResult::Created);
    EXPECT_EQ(os.MakeDirectory("C:\\kel"), MakeDirResult::AlreadyExists);
    EXPECT_EQ(os.MakeDirectory("c:\\KEL"), MakeDirResult::AlreadyExists);
    EXPECT_EQ(os.MakeDirectory("C:\\kel\\missing\\child"), MakeDirResult::Failed);
    drive.WriteFile("C:\\kel\\file", "");
    EXPECT_EQ(os.MakeDirectory("C:\\kel\\file"), MakeDirResult::Failed);
    for (const char* refused : {"a\"b", "a*b", "a:b", "a<b", "a>b", "a?b", "a|b", "a\x01" "b"}) {
        EXPECT_EQ(os.MakeDirectory(std::string("C:\\kel\\") + refused), MakeDirResult::Failed) << refused;
        EXPECT_FALSE(os.ClaimDirectory(std::string("C:\\kel\\") + refused)) << refused;
    }
    // A claim succeeds only for the call that makes the directory, whatever the case of what is there.
    EXPECT_TRUE(os.ClaimDirectory("C:\\kel\\wxyz-lt01"));
    EXPECT_FALSE(os.ClaimDirectory("C:\\kel\\WXYZ-LT01"));
    EXPECT_FALSE(os.ClaimDirectory("C:\\kel\\file"));
    EXPECT_TRUE(os.RemoveEmptyDirectory("C:\\kel\\wxyz-lt01"));
    EXPECT_EQ(drive.Entries("C:\\kel"), Strings{"file"});
}

TEST(Platform, PathsResolveIgnoringCase)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.MakeDirectories("C:\\kel\\WXYZ-LT01");
    EXPECT_EQ(os.WriteTextFile("c:\\kel\\wxyz-lt01\\sysname.dat", "wxyz-lt01"), WriteResult::Written);
    EXPECT_EQ(drive.Entries("C:\\kel\\WXYZ-LT01"), Strings{"sysname.dat"});
    EXPECT_TRUE(os.PathExists("C:\\KEL\\Wxyz-Lt01\\SYSNAME.DAT"));
    EXPECT_TRUE(os.PathExists("C:\\kel"));
    EXPECT_FALSE(os.PathExists("C:\\kel\\wxyz-lt02"));
    EXPECT_TRUE(os.RemoveFile("C:\\KEL\\wxyz-lt01\\sysname.dat"));
    EXPECT_TRUE(os.RemoveEmptyDirectory("c:\\kel\\wxyz-lt01"));
    EXPECT_FALSE(os.RemoveEmptyDirectory("c:\\kel\\wxyz-lt01"));
    EXPECT_EQ(drive.Entries("C:\\kel"), Strings{});
}

TEST(Platform, CurrentDirectoryAndListing)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.WriteFile("C:\\kel\\readme.txt", "");
    ASSERT_TRUE(os.ChangeDirectory("C:\\kel"));
    EXPECT_TRUE(SameIgnoringCase(os.CurrentDirectory(), "C:\\kel")) << os.CurrentDirectory();
    Strings entries = os.ListEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (Strings{".", "..", "readme.txt", "wxyz-lt01"}));

    EXPECT_FALSE(os.ChangeDirectory("C:\\kel\\missing"));
    EXPECT_FALSE(os.ChangeDirectory("C:\\kel\\readme.txt"));
    EXPECT_FALSE(os.ChangeDirectory(""));
    EXPECT_TRUE(SameIgnoringCase(os.CurrentDirectory(), "C:\\kel"));
    ASSERT_TRUE(os.ChangeDirectory("wxyz-lt01"));
    ASSERT_TRUE(os.ChangeDirectory("..\\.."));
    EXPECT_TRUE(SameIgnoringCase(os.CurrentDirectory(), "C:\\")) << os.CurrentDirectory();
}

TEST(Platform, TextFilesHaveCrLfLineEndsOnDisk)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    ASSERT_EQ(os.WriteTextFile("C:\\corvane-test\\text.txt", "LT\nWX"), WriteResult::Written);
    EXPECT_EQ(drive.ReadFile("C:\\corvane-test\\text.txt"), "LT\r\nWX");
    ASSERT_EQ(os.WriteTextFile("C:\\corvane-test\\text.txt", "PRM"), WriteResult::Written);
    EXPECT_EQ(drive.ReadFile("C:\\corvane-test\\text.txt"), "PRM");
    EXPECT_EQ(os.WriteTextFile("C:\\corvane-test\\missing\\text.txt", "x"), WriteResult::OpenFailed);

    Strings tokens;
    auto sink = [&](const std::string& token) { tokens.push_back(token); };
    EXPECT_EQ(os.ReadTokens("C:\\corvane-test\\text.txt", sink), ReadResult::Read);
    EXPECT_EQ(os.ReadTokens("C:\\corvane-test\\missing.txt", sink), ReadResult::OpenFailed);
    EXPECT_EQ(tokens, Strings{"PRM"});
}

TEST(Platform, LowerCaseAndLeadBytes)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    EXPECT_EQ(os.LowerCase("C:\\KEL\\WXYZ-LT01 Ab9_"), "c:\\kel\\wxyz-lt01 ab9_");
    EXPECT_EQ(os.LowerCase(""), "");
    EXPECT_FALSE(os.IsLeadByte('A'));
    EXPECT_FALSE(os.IsLeadByte('\\'));
}

TEST(Platform, RunCommandWaitsAndReturnsTheExitStatus)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.AddCommand("probe");
    ASSERT_TRUE(os.ChangeDirectory(TestDrive::kProgramDirectory));
    drive.SetCommandExit(0);
    EXPECT_EQ(os.RunCommand("probe one \"two words\""), 0);
    drive.SetCommandExit(42);
    EXPECT_EQ(os.RunCommand("probe"), 42);
    EXPECT_NE(os.RunCommand("no-such-command-anywhere x"), 0);

    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].arguments, (Strings{"one", "two words"}));
    EXPECT_EQ(records[1].arguments, Strings{});
}

#ifdef _WIN32
// The stub stands in for the interpreter, so the line it is handed can be read back.
TEST(Platform, TheInterpreterGetsTheLineWithDelayedExpansionOffOrTheSystemOneStandsIn)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.AddCommand("interpreter");
    drive.AddCommand("probe");
    ASSERT_TRUE(os.ChangeDirectory(TestDrive::kProgramDirectory));
    const std::string comspec = drive.Native(TestDrive::kProgramDirectory) + "interpreter.exe";
    const std::string saved = std::getenv("COMSPEC") ? std::getenv("COMSPEC") : "";

    SetEnvironmentVariableA("COMSPEC", comspec.c_str());
    EXPECT_EQ(os.RunCommand("\"c:\\a b\\lt-UPGRADE\" x!y!z-lt01"), 0);
    EXPECT_EQ(os.RunCommand("KELSETUP-LT C:\\kel\\a!b!c-lt01 a!b!c-lt01"), 0);
    // Without a startable COMSPEC, cmd.exe from the system folder runs the line.
    SetEnvironmentVariableA("COMSPEC", "C:\\missing\\cmd.exe");
    EXPECT_EQ(os.RunCommand("probe a!b!c"), 0);
    SetEnvironmentVariableA("COMSPEC", saved.c_str());

    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].commandLine, "\"" + comspec + "\" /v:off /c \"\"c:\\a b\\lt-UPGRADE\" x!y!z-lt01\"");
    EXPECT_EQ(records[1].commandLine, "\"" + comspec + "\" /v:off /c KELSETUP-LT C:\\kel\\a!b!c-lt01 a!b!c-lt01");
    EXPECT_EQ(records[2].arguments, Strings{"a!b!c"});
}
#endif
