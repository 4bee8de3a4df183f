// What the setup operations rely on from the platform services, checked on the real ones.
#include "platform/PlatformServices.h"

#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
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

// The whole of a file locked as another program appending to it, or holding it, would lock it;
// nothing held when it can't be. flock and LockFileEx locks belong to one opening of the file, so
// this one, apart from the services', stands for another process.
std::shared_ptr<void> LockAsAnotherWould(const std::string& nativePath)
{
#ifdef _WIN32
    HANDLE file = CreateFileA(nativePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    std::shared_ptr<void> held(file, [](void* h) { CloseHandle(h); });
    OVERLAPPED whole{};
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole) ? held
                                                                                                              : nullptr;
#else
    const int file = ::open(nativePath.c_str(), O_WRONLY | O_CLOEXEC);
    if (file < 0)
        return nullptr;
    std::shared_ptr<void> held(new int(file), [](void* fd) {
        ::close(*static_cast<int*>(fd));
        delete static_cast<int*>(fd);
    });
    return ::flock(file, LOCK_EX | LOCK_NB) == 0 ? held : nullptr;
#endif
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

// A program keeping the log's lock holds an append up for a bounded time only; the line is then
// not appended, and appends go on once the lock is free.
TEST(Platform, AnAppendWaitsForAnotherHolderOfTheLockOnlySoLong)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    const std::string log = "C:\\corvane-test\\run.log";
    drive.MakeDirectories("C:\\corvane-test");
    ASSERT_EQ(os.AppendToFile(log, "one\r\n"), AppendResult::Appended);
    {
        const std::shared_ptr<void> other = LockAsAnotherWould(drive.Native(log));
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(os.AppendToFile(log, "two\r\n"), AppendResult::NotAppended);
    }
    EXPECT_EQ(os.AppendToFile(log, "three\r\n"), AppendResult::Appended);
    EXPECT_EQ(drive.ReadFile(log), "one\r\nthree\r\n");
    EXPECT_EQ(os.AppendToFile("C:\\corvane-test\\missing\\run.log", "x"), AppendResult::OpenFailed);
    EXPECT_EQ(os.AppendToFile("C:\\corvane-test", "x"), AppendResult::OpenFailed);
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
    CommandRun told{"probe", TestDrive::kProgramDirectory};
    bool started = false;
    told.onStarted = [&started] { started = true; };
    EXPECT_EQ(os.RunCommand(told), 42);
    EXPECT_TRUE(started);
    EXPECT_NE(os.RunCommand(CommandRun{"no-such-command-anywhere x", TestDrive::kProgramDirectory}), 0);
    EXPECT_EQ(os.CurrentDirectory(), before);

    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].arguments, (Strings{"one", "two words"}));
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].directory, drive.Native(TestDrive::kProgramDirectory)))
        << records[0].directory;
    EXPECT_EQ(records[1].arguments, Strings{});
}

// The interpreter takes a bare command name with any extension it tries, in any case; a folder of
// such a name is no command.
TEST(Platform, CommandFilesAreTheFilesTheInterpreterWouldTakeForAName)
{
    const std::string program = std::string("KELSETUP-LT") + TestDrive::ExecutableSuffix();
    struct Row {
        Strings files;
        Strings folders;
        Strings found;
    };
    const std::vector<Row> rows = {
        {{}, {}, {}},
        {{program}, {}, {program}},
        {{program, "KELSETUP-LT.com"}, {}, {program, "KELSETUP-LT.com"}},
        {{"kelsetup-lt.CMD"}, {}, {"kelsetup-lt.CMD"}},
        {{"KELSETUP-LT.txt", "KELSETUP-LTX.exe", "XKELSETUP-LT.bat"}, {"KELSETUP-LT.bat"}, {}},
    };
    for (const Row& row : rows) {
        TestDrive drive;
        drive.MakeDirectories(TestDrive::kProgramDirectory);
        for (const std::string& file : row.files)
            drive.WriteFile(TestDrive::kProgramDirectory + file, "x");
        for (const std::string& folder : row.folders)
            drive.MakeDirectories(TestDrive::kProgramDirectory + folder);
        Strings found = drive.Real().CommandFiles(TestDrive::kProgramDirectory, "KELSETUP-LT");
        std::sort(found.begin(), found.end());
        Strings expected = row.found;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected) << (row.files.empty() ? "" : row.files[0]);
        ASSERT_TRUE(drive.ChangeDirectory(TestDrive::kProgramDirectory));
        EXPECT_EQ(drive.Real().CommandFiles("", "kelsetup-lt").size(), expected.size());
    }
}

// A held directory is the directory itself, never what a link leads to.
TEST(Platform, HoldDirectoryHoldsOnlyARealDirectory)
{
    TestDrive drive;
    PlatformServices& os = drive.Real();
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.WriteFile("C:\\kel\\readme.txt", "");
    EXPECT_EQ(os.HoldDirectory("C:\\kel\\readme.txt"), nullptr);
    EXPECT_EQ(os.HoldDirectory("C:\\kel\\wxyz-lt02"), nullptr);
    std::shared_ptr<void> held = os.HoldDirectory("C:\\kel\\WXYZ-LT01");
    ASSERT_NE(held, nullptr);
#ifdef _WIN32
    // Wine removes a held directory all the same (it keeps no share modes for a Unix rmdir), and makes
    // no links of a Windows program's; where the system does, a link is refused.
    if (CreateSymbolicLinkW(L"C:\\kel\\link-lt01", L"C:\\corvane-test", SYMBOLIC_LINK_FLAG_DIRECTORY)) {
        EXPECT_EQ(os.HoldDirectory("C:\\kel\\link-lt01"), nullptr);
    }
#else
    ASSERT_EQ(::symlink(drive.Native("C:\\corvane-test").c_str(), drive.Native("C:\\kel\\link-lt01").c_str()), 0);
    EXPECT_EQ(os.HoldDirectory("C:\\kel\\link-lt01"), nullptr);
    // A folder above it swapped for a link leads elsewhere.
    ASSERT_EQ(::symlink(drive.Native("C:\\kel").c_str(), drive.Native("C:\\kel2").c_str()), 0);
    EXPECT_EQ(os.HoldDirectory("C:\\kel2\\wxyz-lt01"), nullptr);
#endif
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
