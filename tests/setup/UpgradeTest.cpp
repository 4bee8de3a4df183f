// Finding installed systems and running the upgrade command for one of them.
#include "setup/Upgrade.h"

#include "setup/SystemStore.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Strings = std::vector<std::string>;

Strings Sorted(Strings names)
{
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(ListInstalledSystems, ListsEveryEntryWithADashAndKeepsTheCurrentDirectory)
{
    TestDrive drive;
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.MakeDirectories("C:\\kel\\abcd-wx02");
    drive.WriteFile("C:\\kel\\readme.txt", "");
    drive.WriteFile("C:\\kel\\old-notes.txt", "");
    ASSERT_TRUE(drive.ChangeDirectory(TestDrive::kProgramDirectory));
    const std::string before = drive.Os().CurrentDirectory();

    EXPECT_EQ(Sorted(ListInstalledSystems(drive.Os(), kBaseDirectory)),
              (Strings{"abcd-wx02", "old-notes.txt", "wxyz-lt01"}));
    EXPECT_EQ(drive.Os().CurrentDirectory(), before);
    EXPECT_EQ(drive.Os().messages, Strings{});
}

TEST(ListInstalledSystems, EmptyMissingOrFileBaseListsNothing)
{
    TestDrive drive;
    ASSERT_TRUE(drive.ChangeDirectory(TestDrive::kProgramDirectory));
    const std::string before = drive.Os().CurrentDirectory();
    EXPECT_EQ(ListInstalledSystems(drive.Os(), kBaseDirectory), Strings{});
    EXPECT_FALSE(PathExists(drive.Os(), kBaseDirectory));

    drive.WriteFile(kBaseDirectory, "");
    EXPECT_TRUE(PathExists(drive.Os(), kBaseDirectory));
    EXPECT_EQ(ListInstalledSystems(drive.Os(), kBaseDirectory), Strings{});

    drive.Os().RemoveEntry(kBaseDirectory);
    drive.MakeDirectories(kBaseDirectory);
    EXPECT_TRUE(PathExists(drive.Os(), kBaseDirectory));
    EXPECT_EQ(ListInstalledSystems(drive.Os(), kBaseDirectory), Strings{});
    EXPECT_EQ(drive.Os().CurrentDirectory(), before);
}

TEST(UpgradeSystem, CommandIsTheLowerCasedProgramDirectoryTypeAndName)
{
    TestDrive drive;
    drive.MakeDirectories("C:\\kel\\wxyz-lt02");
    drive.AddCommand("lt-UPGRADE", "C:\\Tools\\Setup\\");
    drive.Os().programArgument = "C:\\Tools\\Setup\\corvane.exe";
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt02"), SetupResult::Done);
    drive.AddCommand("lt-UPGRADE");
    drive.Os().programArgument = "corvane";
    ASSERT_TRUE(drive.ChangeDirectory(TestDrive::kProgramDirectory));
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt02"), SetupResult::Done);
    EXPECT_EQ(drive.Os().commands, (Strings{"c:\\tools\\setup\\lt-UPGRADE wxyz-lt02", "lt-UPGRADE wxyz-lt02"}));
    EXPECT_EQ(drive.Os().messages, Strings{});
}

// As for an install, a command the interpreter would have to look for elsewhere runs nothing.
TEST(UpgradeSystem, WithoutItsCommandBesideTheProgramNothingRuns)
{
    TestDrive drive;
    drive.MakeDirectories("C:\\kel\\wxyz-lt02");
    drive.MakeDirectories(TestDrive::kProgramDirectory);
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt02"), SetupResult::CommandFailed);
    EXPECT_EQ(drive.Os().messages, Strings{"There is no setup command lt-UPGRADE in Corvane's folder "
                                           "c:\\corvane-test\\prog\\. Nothing was registered or run."});
    EXPECT_EQ(drive.Os().commands, Strings{});
}

TEST(UpgradeSystem, RunsTheCommandBesideTheProgramWithTheNameAsItsOneArgument)
{
    TestDrive drive;
    const std::string directory = "C:\\Program Files\\Corvane Setup\\";
    drive.AddCommand("lt-UPGRADE", directory);
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.Os().programArgument = directory + "corvane.exe";
    ASSERT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt01"), SetupResult::Done);
    EXPECT_EQ(drive.Os().messages, Strings{});
    EXPECT_EQ(drive.Os().commands, Strings{"\"c:\\program files\\corvane setup\\lt-UPGRADE\" wxyz-lt01"});
    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, Strings{"wxyz-lt01"});
}

TEST(UpgradeSystem, FailuresAndNamesNotToBeUsedAreReported)
{
    TestDrive drive;
    drive.AddCommand("lt-UPGRADE");
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt01"), SetupResult::Refused);  // no C:\kel at all
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.SetCommandExit(7);
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt01"), SetupResult::CommandFailed);
    EXPECT_EQ(UpgradeSystem(drive.Os(), "%COMSPEC%-lt01"), SetupResult::Refused);
    EXPECT_EQ(UpgradeSystem(drive.Os(), "a-..\\..\\lt01"), SetupResult::Refused);
    EXPECT_EQ(UpgradeSystem(drive.Os(), ""), SetupResult::Refused);
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt02"), SetupResult::Refused);
    EXPECT_EQ(drive.Os().messages,
              (Strings{"You don't have any systems installed to update.",
                       "Setup command c:\\corvane-test\\prog\\lt-UPGRADE wxyz-lt01 failed with exit code 7.",
                       "The system name %COMSPEC%-lt01 can't be used in a setup command.",
                       "The system name a-..\\..\\lt01 can't be used in a setup command.",
                       "You have to select a system device.", "No system named wxyz-lt02 is installed in C:\\kel."}));
    EXPECT_EQ(drive.Records().size(), 1u);

    // A name listed in another case is used as listed, with the type it holds.
    drive.SetCommandExit(0);
    drive.Os().commands.clear();
    EXPECT_EQ(UpgradeSystem(drive.Os(), "WXYZ-LT01"), SetupResult::Done);
    EXPECT_EQ(drive.Os().commands, Strings{"c:\\corvane-test\\prog\\lt-UPGRADE wxyz-lt01"});

    // The program's folder is the command's first word: a "%" in it is refused before anything
    // runs, the command there notwithstanding.
    const std::string percentFolder = "C:\\Setup %TEMP%\\";
    drive.AddCommand("lt-UPGRADE", percentFolder);
    drive.Os().programArgument = percentFolder + "corvane.exe";
    drive.Os().messages.clear();
    drive.Os().commands.clear();
    EXPECT_EQ(UpgradeSystem(drive.Os(), "wxyz-lt01"), SetupResult::Refused);
    EXPECT_EQ(drive.Os().messages, Strings{"Corvane can't run upgrade commands from the folder c:\\setup %temp%\\: its "
                                           "name holds %. Rename the folder or copy Corvane to another one."});
    EXPECT_EQ(drive.Os().commands, Strings{});
    EXPECT_EQ(drive.Records().size(), 2u);
}

// Anyone can make an entry under C:\kel: a name that would put a quote, a control character or a
// look-alike Corvane never made into the command line is listed, but never upgraded.
TEST(UpgradeSystem, PlantedNamesAreListedButNeverRun)
{
#ifdef _WIN32
    const bool kWindows = true;
#else
    const bool kWindows = false;
#endif
    struct Row {
        std::string entry;
        bool applies;  // Windows refuses some names outright; some code pages hold Ж
    };
    const std::vector<Row> rows = {
        // Fullwidth quotes, which best fit made into ": a character of its own in Shift-JIS.
        {"x\xEF\xBC\x82&pwn&\xEF\xBC\x82-lt01", TestDrive::CodePageNumber() != 932},
        {"x\"&pwn&\"-lt01", !kWindows},
        {"a\tb-lt01", !kWindows},
        {"\xD0\x96-lt01", TestDrive::CodePageNumber() != 1251 && TestDrive::CodePageNumber() != 932},
    };
    for (const Row& row : rows) {
        if (!row.applies)
            continue;
        TestDrive drive;
        drive.AddCommand("lt-UPGRADE");
        drive.AddCommand("pwn");
        drive.MakeDirectories("C:\\kel\\" + row.entry);
        const std::vector<std::string> listed = ListInstalledSystems(drive.Os(), kBaseDirectory);
        ASSERT_EQ(listed, std::vector<std::string>{row.entry});
        EXPECT_EQ(UpgradeSystem(drive.Os(), listed[0]), SetupResult::Refused) << row.entry;
        EXPECT_EQ(drive.Os().messages,
                  std::vector<std::string>{"The system name " + row.entry + " can't be used in a setup command."});
        EXPECT_EQ(drive.Os().commands, std::vector<std::string>{});
        EXPECT_TRUE(drive.Records().empty());
    }
}
