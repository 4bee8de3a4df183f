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
    EXPECT_TRUE(os.RemoveEntry("C:\\kel\\wxyz-lt01"));
    EXPECT_EQ(drive.Entries("C:\\kel"), Strings{"file"});
}

TEST(Platform, PathsResolveIgnoringCase)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.MakeDirectories("C:\\kel\\WXYZ-LT01");
    EXPECT_EQ(os.WriteTextFile("c:\\kel\\wxyz-lt01\\sysname.dat", "wxyz-lt01"), WriteResult::Written);
    EXPECT_EQ(drive.Entries("C:\\kel\\WXYZ-LT01"), Strings{"sysname.dat"});
    EXPECT_EQ(os.PathType("C:\\KEL\\Wxyz-Lt01\\SYSNAME.DAT"), PathKind::File);
    EXPECT_EQ(os.PathType("C:\\kel"), PathKind::Directory);
    EXPECT_EQ(os.PathType("C:\\kel\\wxyz-lt01\\"), PathKind::Directory);
    EXPECT_EQ(os.PathType("C:\\kel\\wxyz-lt02"), PathKind::Missing);
    EXPECT_EQ(os.PathType(""), PathKind::Missing);
    EXPECT_FALSE(os.RemoveEntry("c:\\kel\\wxyz-lt01"));  // not empty
    EXPECT_TRUE(os.RemoveEntry("C:\\KEL\\wxyz-lt01\\sysname.dat"));
    EXPECT_TRUE(os.RemoveEntry("c:\\kel\\wxyz-lt01"));
    EXPECT_FALSE(os.RemoveEntry("c:\\kel\\wxyz-lt01"));
    EXPECT_EQ(drive.Entries("C:\\kel"), Strings{});
}

TEST(Platform, ListingTakesItsFolderAndTheCurrentDirectoryStays)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.WriteFile("C:\\kel\\readme.txt", "");
    const std::string before = os.CurrentDirectory();
    for (const char* folder : {"C:\\kel", "c:\\KEL\\"}) {
        Strings entries = os.ListEntries(folder);
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, (Strings{".", "..", "readme.txt", "wxyz-lt01"})) << folder;
    }
    EXPECT_EQ(os.ListEntries("C:\\kel\\missing"), Strings{});
    EXPECT_EQ(os.ListEntries("C:\\kel\\readme.txt"), Strings{});
    EXPECT_EQ(os.CurrentDirectory(), before);
    ASSERT_TRUE(drive.ChangeDirectory("C:\\kel"));
    EXPECT_TRUE(SameIgnoringCase(os.CurrentDirectory(), "C:\\kel")) << os.CurrentDirectory();
}

TEST(Platform, TextFilesHaveCrLfLineEndsOnDiskAndTokensAreSplitAtBlanksAndNul)
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
    EXPECT_EQ(os.ReadTokens("C:\\corvane-test", sink), ReadResult::OpenFailed);
    drive.WriteFile("C:\\corvane-test\\zero.txt", std::string("LT\0ZZ9 WX\0", 10));
    EXPECT_EQ(os.ReadTokens("C:\\corvane-test\\zero.txt", sink), ReadResult::Read);
    EXPECT_EQ(tokens, (Strings{"PRM", "LT", "ZZ9", "WX"}));
}

TEST(Platform, RunCommandWaitsInItsDirectoryAndReturnsTheExitStatus)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.AddCommand("probe");
    const std::string before = os.CurrentDirectory();
    drive.SetCommandExit(0);
    EXPECT_EQ(os.RunCommand(CommandRun{"probe one \"two words\"", TestDrive::kProgramDirectory}), 0);
    drive.SetCommandExit(42);
    EXPECT_EQ(os.RunCommand(CommandRun{"probe", TestDrive::kProgramDirectory}), 42);
    EXPECT_NE(os.RunCommand(CommandRun{"no-such-command-anywhere x", TestDrive::kProgramDirectory}), 0);
    EXPECT_EQ(os.CurrentDirectory(), before);

    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].arguments, (Strings{"one", "two words"}));
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].directory, drive.Native(TestDrive::kProgramDirectory)))
        << records[0].directory;
    EXPECT_EQ(records[1].arguments, Strings{});
}

// Each code page holds what it holds exactly, byte for byte as its A functions make it, and
// refuses the rest: no look-alike ever stands in. A test run in a code page checks its own rows
// (the test main has checked that it is the one the run was meant for).
TEST(Platform, TheCodePageWritesExactlyWhatItHoldsAndLowerCasesAsItDoes)
{
    struct Row {
        unsigned codePage;
        std::string text;
        std::optional<std::string> bytes;  // nothing: refused
        std::string lower;
    };
    const std::vector<Row> rows = {
        {28591, "WXYZ-LT01", "WXYZ-LT01", "wxyz-lt01"},
        {28591, "\xC3\x89" "COLE", "\xC9" "COLE", "\xC3\xA9" "cole"},       // ÉCOLE
        {28591, "\xC5\x81\xC3\xB3" "d\xC5\xBA", std::nullopt, "\xC5\x81\xC3\xB3" "d\xC5\xBA"},  // Łódź
        {28591, "\xEF\xBC\xB7", std::nullopt, "\xEF\xBC\xB7"},               // fullwidth Ｗ
        {1252, "\xC3\x89" "COLE", "\xC9" "COLE", "\xC3\xA9" "cole"},
        {1252, "\xC5\xA0" "A", "\x8A" "A", "\xC5\xA1" "a"},                  // ŠA, lowered by the code page
        {1252, "\xC5\x81\xC3\xB3" "d\xC5\xBA", std::nullopt, "\xC5\x81\xC3\xB3" "d\xC5\xBA"},
        {1252, "\xEF\xBC\x82", std::nullopt, "\xEF\xBC\x82"},                // fullwidth ＂, never "
        {1252, "\xD0\x96\xD0\x96\xD0\x96", std::nullopt, "\xD0\x96\xD0\x96\xD0\x96"},  // ЖЖЖ
        {1251, "\xD0\x96\xD0\x96\xD0\x96", "\xC6\xC6\xC6", "\xD0\xB6\xD0\xB6\xD0\xB6"},
        {1251, "\xC3\x89" "COLE", std::nullopt, "\xC3\x89" "cole"},
        {1251, "\xEF\xBC\xB7\xEF\xBC\xB8", std::nullopt, "\xEF\xBC\xB7\xEF\xBC\xB8"},  // ＷＸ
        {932, "\xE6\x94\xBE\xE9\x80\x81", "\x95\xFA\x91\x97", "\xE6\x94\xBE\xE9\x80\x81"},  // 放送
        {932, "\xE3\x82\xBD", "\x83\x5C", "\xE3\x82\xBD"},                   // ソ, whose second byte is "\"
        {932, "\xC2\xA5", std::nullopt, "\xC2\xA5"},                          // ¥, not "\"
        {932, "\xC3\x89" "COLE", std::nullopt, "\xC3\x89" "cole"},
        {932, "ABC", "ABC", "abc"},
    };
    const unsigned current = TestDrive::CodePageNumber();
    TestDrive drive;
    const CodePage& codePage = drive.Real().TextCodePage();
    int checked = 0;
    for (const Row& row : rows) {
        if (row.codePage != current)
            continue;
        ++checked;
        EXPECT_EQ(codePage.Encode(row.text), row.bytes) << row.text;
        EXPECT_EQ(codePage.LowerCase(row.text), row.lower) << row.text;
        if (row.bytes) {
            EXPECT_EQ(codePage.Decode(*row.bytes), row.text) << row.text;
        } else {
            EXPECT_NE(codePage.EncodeShowing(row.text).find('?'), std::string::npos) << row.text;
        }
    }
    EXPECT_GT(checked, 0) << "no rows for code page " << current;
    EXPECT_EQ(codePage.LowerCase("C:\\KEL\\WXYZ-LT01 Ab9_"), "c:\\kel\\wxyz-lt01 ab9_");
    EXPECT_LT(codePage.Compare("abcd-wx02", "WXYZ-LT01"), 0);
    EXPECT_EQ(codePage.Compare("WXYZ-LT01", "wxyz-lt01") == 0, current != 28591);
}

#ifdef _WIN32
// The stub stands in for the interpreter, so the line it is handed can be read back.
TEST(Platform, TheInterpreterGetsTheLineWithDelayedExpansionOffOrTheSystemOneStandsIn)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.AddCommand("interpreter");
    drive.AddCommand("probe");
    const std::string comspec = drive.Native(TestDrive::kProgramDirectory) + "interpreter.exe";
    const std::string saved = std::getenv("COMSPEC") ? std::getenv("COMSPEC") : "";
    const std::string here = TestDrive::kProgramDirectory;

    SetEnvironmentVariableA("COMSPEC", comspec.c_str());
    EXPECT_EQ(os.RunCommand(CommandRun{"\"c:\\a b\\lt-UPGRADE\" x!y!z-lt01", here}), 0);
    EXPECT_EQ(os.RunCommand(CommandRun{"KELSETUP-LT C:\\kel\\a!b!c-lt01 a!b!c-lt01", here}), 0);
    // Without a startable COMSPEC, cmd.exe from the system folder runs the line.
    SetEnvironmentVariableA("COMSPEC", "C:\\missing\\cmd.exe");
    EXPECT_EQ(os.RunCommand(CommandRun{"probe a!b!c", here}), 0);
    SetEnvironmentVariableA("COMSPEC", saved.c_str());

    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].commandLine, "\"" + comspec + "\" /v:off /c \"\"c:\\a b\\lt-UPGRADE\" x!y!z-lt01\"");
    EXPECT_EQ(records[1].commandLine, "\"" + comspec + "\" /v:off /c KELSETUP-LT C:\\kel\\a!b!c-lt01 a!b!c-lt01");
    EXPECT_EQ(records[2].arguments, Strings{"a!b!c"});
}
#endif
