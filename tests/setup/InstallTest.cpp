// Registering systems: numbering, the marker, the command, every failure, and concurrent setups.
#include "setup/Install.h"

#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "tests/support/Spawn.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

using Strings = std::vector<std::string>;

class Install : public ::testing::Test {
protected:
    void SetUp() override { drive.AddCommand("KELSETUP-LT"); }

    SetupResult Run(const std::string& letters, const std::string& type) { return InstallSystem(drive.Os(), letters, type); }
    Strings Messages() { return drive.Os().messages; }
    Strings Commands() { return drive.Os().commands; }
    Strings Systems() const { return drive.Entries(kBaseDirectory); }

    TestDrive drive;
};

}  // namespace

TEST_F(Install, FirstSystemGetsNumberOneWithMarkerAndCommand)
{
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(Messages(), Strings{});
    EXPECT_EQ(Systems(), Strings{"wxyz-lt01"});
    // Exactly the name: no line end, nothing else.
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    EXPECT_EQ(Commands(), Strings{"KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01"});

    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_TRUE(TestDrive::SameDirectory(records[0].directory, drive.Native(TestDrive::kProgramDirectory)))
        << records[0].directory;
}

TEST_F(Install, NumbersCountUpFillGapsAndIgnoreCase)
{
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    ASSERT_EQ(Run("WXYZ", "lt"), SetupResult::Done);  // same prefix as WXYZ and LT
    ASSERT_EQ(Run("wxyz", "LT"), SetupResult::Done);
    drive.MakeDirectories("C:\\kel\\wxyz-lt05");
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(Systems(), (Strings{"wxyz-lt01", "wxyz-lt02", "wxyz-lt03", "wxyz-lt04", "wxyz-lt05"}));
    // The type goes to the command as the catalogue spells it, one spelled so exactly first.
    EXPECT_EQ(Commands()[1], "KELSETUP-LT C:\\kel\\wxyz-lt02 wxyz-lt02");
    drive.WriteFile(TestDrive::kProgramDirectory + std::string("keldevicetypes.dat"), "LT lt");
    ASSERT_EQ(Run("WXYZ", "lt"), SetupResult::Done);
    EXPECT_EQ(Commands().back(), "KELSETUP-lt C:\\kel\\wxyz-lt06 wxyz-lt06");
}

TEST_F(Install, GapIsFilledFirst)
{
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.MakeDirectories("C:\\kel\\WXYZ-LT03");
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(Commands(), (Strings{"KELSETUP-LT C:\\kel\\wxyz-lt02 wxyz-lt02", "KELSETUP-LT C:\\kel\\wxyz-lt04 wxyz-lt04"}));
}

TEST_F(Install, HundredthSystemGetsThreeDigitsAndThe999thIsTheLast)
{
    for (int n = 1; n <= 99; ++n)
        drive.MakeDirectories(SystemDirectory(kBaseDirectory, SystemName("wxyz-lt", n)));
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt100\\sysname.dat"), "wxyz-lt100");

    for (int n = 101; n <= 999; ++n)
        drive.MakeDirectories(SystemDirectory(kBaseDirectory, SystemName("wxyz-lt", n)));
    drive.Os().commands.clear();
    EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::NotRegistered);
    EXPECT_EQ(Messages(), Strings{"Could not open any C:\\kel\\wxyz-ltnn subdirectories for output file"});
    EXPECT_EQ(Commands(), Strings{});
    EXPECT_FALSE(drive.Exists("C:\\kel\\wxyz-lt1000"));
}

TEST_F(Install, NamesWindowsRefusesFailEveryNumber)
{
    EXPECT_EQ(Run("A*B", "LT"), SetupResult::NotRegistered);
    EXPECT_EQ(Messages(), Strings{"Could not open any C:\\kel\\a*b-ltnn subdirectories for output file"});
    EXPECT_EQ(Systems(), Strings{});
    EXPECT_EQ(Commands(), Strings{});
}

TEST_F(Install, FileInPlaceOfTheBaseDirectoryStopsEarly)
{
    drive.WriteFile("C:\\kel", "not a directory");
    EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::NotRegistered);
    EXPECT_EQ(Messages(), Strings{"Could not create kel subdirectory C:\\kel.  Check Permissions"});
    EXPECT_EQ(drive.ReadFile("C:\\kel"), "not a directory");
    EXPECT_EQ(Commands(), Strings{});
}

TEST_F(Install, CallLettersOfAnyKindReachTheCommandAsOneWord)
{
    drive.AddCommand("b-lt01");  // would run if "A&B" split the line into two commands
    ASSERT_EQ(Run("AB CD", "LT"), SetupResult::Done);
    ASSERT_EQ(Run("A&B", "LT"), SetupResult::Done);
    ASSERT_EQ(Run("  ", "LT"), SetupResult::Done);
    ASSERT_EQ(Run("A(B);C=D,E^F", "LT"), SetupResult::Done);
    const std::vector<StubRecord> records = drive.Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\ab cd-lt01", "ab cd-lt01"}));
    EXPECT_EQ(records[1].arguments, (Strings{"C:\\kel\\a&b-lt01", "a&b-lt01"}));
    EXPECT_EQ(records[2].arguments, (Strings{"C:\\kel\\  -lt01", "  -lt01"}));
    EXPECT_EQ(records[3].arguments, (Strings{"C:\\kel\\a(b);c=d,e^f-lt01", "a(b);c=d,e^f-lt01"}));
    EXPECT_EQ(Commands()[0], "KELSETUP-LT \"C:\\kel\\ab cd-lt01\" \"ab cd-lt01\"");
}

TEST_F(Install, EmptyUnsafeOrUnofferedInputIsRefusedBeforeAnythingIsMade)
{
    const std::string unsafe = "The call letters and the system type can't contain \\, /, % or a double quote.";
    const std::string control =
        "The call letters and the system type can't contain a control character (a tab or a line end, say).";
    const std::vector<std::vector<std::string>> rows = {  // call letters, type, message
        {"..\\x", "LT", unsafe},
        {"a/b", "LT", unsafe},
        {"%PATH%", "LT", unsafe},
        {"WXYZ", "L\\T", unsafe},
        {"WXYZ", "%T", unsafe},
        {"x\"&pwn&\"", "LT", unsafe},
        {"WX\tYZ", "LT", control},
        {"WXYZ", "L\x01T", control},
        {"W\\X\nYZ", "LT", control},
        {"", "LT", "You have to select both call letters and system devices."},
        {"WXYZ", "", "You have to select both call letters and system devices."},
        // Without a catalogue the default types are offered, sorted as the dialog's list shows them.
        {"WXYZ", "NOPE", "The system type NOPE is not one of the 5 types offered (GNX LT PRM TR9 WX)."},
        {"con.TXT", "LT", "The call letters con.TXT can't be used: Windows takes a name that is CON before its first "
                          "dot for a device."},
    };
    for (const auto& row : rows) {
        drive.Os().messages.clear();
        EXPECT_EQ(Run(row[0], row[1]), SetupResult::Refused) << row[0] << " " << row[1];
        EXPECT_EQ(Messages(), Strings{row[2]});
    }
    EXPECT_FALSE(drive.Exists(kBaseDirectory));
    EXPECT_FALSE(drive.Exists("C:\\x-lt01"));
    EXPECT_EQ(Commands(), Strings{});
}

// A type not offered by a catalogue of many types is told with a few of them, as the dialog's
// list shows them first, and their number: one short line, however large the catalogue.
TEST_F(Install, ATypeNotOfferedByALargeCatalogueIsToldWithAFewTypesAndTheirNumber)
{
    std::string catalogue;
    for (int n = 99999; n >= 0; --n)
        catalogue += "t" + std::to_string(100000 + n).substr(1) + (n % 8 == 0 ? "\r\n" : " ");
    catalogue += "t00001 " + std::string(40, 'A') + " t00000";
    drive.WriteFile(TestDrive::kProgramDirectory + std::string("keldevicetypes.dat"), catalogue);
    EXPECT_EQ(Run("WXYZ", "NOPE"), SetupResult::Refused);
    EXPECT_EQ(Messages(), Strings{"The system type NOPE is not one of the 100003 types offered (" + std::string(32, 'A') +
                                  "... t00000 t00001 t00002 t00003 ...)."});
    EXPECT_FALSE(drive.Exists(kBaseDirectory));
}

// The code page writes the marker and lower-cases the name: text it can't hold exactly is refused,
// never registered under a look-alike name. Each code page checks its own rows.
TEST_F(Install, CallLettersAndTypesTheCodePageCantWriteAreRefusedBeforeAnythingIsMade)
{
    struct Row {
        unsigned codePage;
        std::string letters;
        std::string type;
        std::string name;     // empty: refused with `message`
        std::string marker;   // the marker's bytes
        std::string message;
    };
    const std::string cyrillic = "\xD0\x96\xD0\x96\xD0\x96";         // ЖЖЖ
    const std::string broadcast = "\xE6\x94\xBE\xE9\x80\x81";  // 放送
    const std::string fullWidth = "\xEF\xBC\xB7\xEF\xBC\xB8\xEF\xBC\xB9\xEF\xBC\xBA";  // ＷＸＹＺ
    const std::string ecole = "\xC3\x89" "COLE";
    const auto letters = [](const std::string& text) {
        return "The call letters " + text + " can't be written in this PC's code page.";
    };
    const std::vector<Row> rows = {
        {28591, cyrillic, "LT", "", "", letters(cyrillic)},
        {28591, fullWidth, "LT", "", "", letters(fullWidth)},
        {28591, ecole, "LT", "\xC3\xA9" "cole-lt01", "\xE9" "cole-lt01", ""},
        {28591, "WXYZ", "\xC5\x81T", "", "", "The system type \xC5\x81T can't be written in this PC's code page."},
        {1252, cyrillic, "LT", "", "", letters(cyrillic)},
        {1252, broadcast, "LT", "", "", letters(broadcast)},
        {1252, fullWidth, "LT", "", "", letters(fullWidth)},
        {1252, ecole, "LT", "\xC3\xA9" "cole-lt01", "\xE9" "cole-lt01", ""},
        {1251, fullWidth, "LT", "", "", letters(fullWidth)},
        {1251, ecole, "LT", "", "", letters(ecole)},
        {1251, cyrillic, "LT", "\xD0\xB6\xD0\xB6\xD0\xB6-lt01", "\xE6\xE6\xE6-lt01", ""},
        {932, ecole, "LT", "", "", letters(ecole)},
        {932, broadcast, "LT", broadcast + "-lt01", "\x95\xFA\x91\x97-lt01", ""},
    };
    for (const Row& row : rows) {
        if (row.codePage != TestDrive::CodePageNumber())
            continue;
        TestDrive each;
        each.AddCommand("KELSETUP-LT");
        const SetupResult result = InstallSystem(each.Os(), row.letters, row.type);
        if (row.name.empty()) {
            EXPECT_EQ(result, SetupResult::Refused) << row.letters;
            EXPECT_EQ(each.Os().messages, Strings{row.message});
            EXPECT_FALSE(each.Exists(kBaseDirectory)) << row.letters;
            EXPECT_EQ(each.Os().commands, Strings{});
        } else {
            EXPECT_EQ(result, SetupResult::Done) << row.letters;
            EXPECT_EQ(each.Entries(kBaseDirectory), Strings{row.name});
            EXPECT_EQ(each.ReadFile(std::string(kBaseDirectory) + "\\" + row.name + "\\sysname.dat"), row.marker);
            // A command of the C run-time's sees its arguments in the code page, as other programs
            // read the marker; the native stub sees the bytes it was given.
            ASSERT_EQ(each.Records().size(), 1u);
            EXPECT_EQ(each.Records()[0].arguments.back(), row.codePage == 28591 ? row.name : row.marker);
        }
    }
}

// The command can't start from a network folder, nor from one that isn't there to enter: nothing
// is claimed then. (The interpreter would look for the command elsewhere, after the claim.)
TEST_F(Install, AProgramFolderTheCommandCantStartInIsRefusedBeforeAnythingIsMade)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"\\\\server\\share\\Corvane\\corvane.exe",
         "Corvane can't run setup commands from the network folder \\\\server\\share\\Corvane\\. "
         "Copy it to a local folder or map a drive letter to it."},
        {"C:\\gone\\corvane.exe",
         "Corvane can't start setup commands in its folder C:\\gone\\, as it can't be entered. Nothing was registered."},
        {"C:\\corvane-test\\prog\\keldevicetypes.dat\\corvane.exe",
         "Corvane can't start setup commands in its folder C:\\corvane-test\\prog\\keldevicetypes.dat\\, as it can't be "
         "entered. Nothing was registered."},
    };
    drive.WriteFile("C:\\corvane-test\\prog\\keldevicetypes.dat", "LT");
    for (const auto& row : rows) {
        drive.Os().messages.clear();
        drive.Os().programArgument = row.first;
        EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::NotRegistered) << row.first;
        EXPECT_EQ(Messages(), Strings{row.second});
    }
    EXPECT_FALSE(drive.Exists(kBaseDirectory));
    EXPECT_EQ(Commands(), Strings{});
}

TEST_F(Install, WithTheCurrentDirectoryOutOfTheSearchTheCommandIsNamedWithItsPath)
{
    // A hardening option of Windows: the interpreter looks in the current directory only for a
    // command named with a path.
    const auto set = [](const char* value) {
#ifdef _WIN32
        _putenv_s("NoDefaultCurrentDirectoryInExePath", value);
#else
        value[0] ? setenv("NoDefaultCurrentDirectoryInExePath", value, 1) : unsetenv("NoDefaultCurrentDirectoryInExePath");
#endif
    };
    set("1");
    const SetupResult result = Run("WXYZ", "LT");
    set("");
    EXPECT_EQ(result, SetupResult::Done);
    EXPECT_EQ(Commands(), Strings{".\\KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01"});
    EXPECT_EQ(drive.Records().size(), 1u);
}

TEST_F(Install, FailingCommandIsReportedNotSuccess)
{
    drive.SetCommandExit(3);
    EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::CommandFailed);
    EXPECT_EQ(Messages(), Strings{"Setup command KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01 failed with exit code 3."});
    // The system is registered all the same; the operator can run its command again by hand.
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
}

// Only a command beside the program runs, and only when the interpreter could take no other for it:
// none (it would look on the search path) or several (it would take whichever it tries first) are
// refused before anything is claimed.
TEST_F(Install, OnlyTheOneCommandBesideTheProgramRunsAndWithoutItNothingIsClaimed)
{
    const std::string program = std::string("KELSETUP-LT") + TestDrive::ExecutableSuffix();
    const std::string folder = TestDrive::kProgramDirectory;
    const std::string twoFiles = program < "KELSETUP-LT.com" ? program + ", KELSETUP-LT.com" : "KELSETUP-LT.com, " + program;
    struct Row {
        std::string type;
        std::string planted;  // beside KELSETUP-LT
        SetupResult result;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"LT", "", SetupResult::Done, ""},
        {"GNX", "", SetupResult::NotRegistered,
         "There is no setup command KELSETUP-GNX in Corvane's folder " + folder + ". Nothing was registered or run."},
        {"LT", "KELSETUP-LT.com", SetupResult::NotRegistered,
         "Corvane's folder " + folder + " holds more than one file the command interpreter could take for the setup "
         "command KELSETUP-LT: " + twoFiles + ". Keep only the one meant. Nothing was registered or run."},
    };
    for (const Row& row : rows) {
        TestDrive each;
        each.AddCommand("KELSETUP-LT");
        if (!row.planted.empty())
            each.WriteFile(folder + row.planted, "planted");
        EXPECT_EQ(InstallSystem(each.Os(), "WXYZ", row.type, {"LT", "GNX"}), row.result) << row.planted;
        EXPECT_EQ(each.Os().messages, row.message.empty() ? Strings{} : Strings{row.message});
        EXPECT_EQ(each.Exists(kBaseDirectory), row.result == SetupResult::Done) << row.planted;
        EXPECT_EQ(each.Records().size(), row.result == SetupResult::Done ? 1u : 0u) << row.planted;
    }
}

// A directory swapped for a link between its claim and its hold is not Corvane's: nothing goes into
// it, nothing runs, and it is not removed either.
TEST_F(Install, AClaimSwappedBeforeItIsHeldIsNeitherWrittenNorRunNorRemoved)
{
    drive.Os().holdsFail = true;
    EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::NotRegistered);
    EXPECT_EQ(Messages(), Strings{"The directory C:\\kel\\wxyz-lt01 was replaced by a link or moved right after "
                                  "Corvane made it: nothing was written into it and nothing was run. Someone else on "
                                  "this PC may be changing C:\\kel; check it, and remove that entry by hand."});
    EXPECT_EQ(drive.Entries("C:\\kel\\wxyz-lt01"), Strings{});
    EXPECT_EQ(Systems(), Strings{"wxyz-lt01"});
    EXPECT_EQ(Commands(), Strings{});
}

// A claimed number is given back whatever ends the install before its command has the system: a
// marker that fails, or an exception; a clean-up that fails says what stays, for removal by hand.
TEST_F(Install, MarkerFailuresLeaveNothingBehindOrSayWhatStaysAndRunNothing)
{
    using Fault = RecordingPlatform::WriteFault;
    struct Row {
        Fault fault;
        bool removalsFail;
        std::string message;  // empty: the install throws
        Strings systems;
    };
    const std::string marker = "c:\\kel\\wxyz-lt02\\sysname.dat";
    const std::vector<Row> rows = {
        {Fault::OpenFails, false, "Setup file " + marker + " could not be opened", {"wxyz-lt01"}},
        {Fault::WriteFails, false, "Setup file " + marker + " could not be written", {"wxyz-lt01"}},
        {Fault::DiskFull, false, "Setup file " + marker + " could not be written", {"wxyz-lt01"}},
        {Fault::FlushFails, false, "Setup file " + marker + " could not be written", {"wxyz-lt01"}},
        {Fault::Throws, false, "", {"wxyz-lt01"}},
        {Fault::OpenFails, true,
         "Setup file " + marker + " could not be opened. C:\\kel\\wxyz-lt02 could not be removed: remove it by hand.",
         {"wxyz-lt01", "wxyz-lt02"}},
        {Fault::WriteFails, true,
         "Setup file " + marker + " could not be written. " + marker +
             " and C:\\kel\\wxyz-lt02 could not be removed: remove it by hand.",
         {"wxyz-lt01", "wxyz-lt02"}},
    };
    for (const Row& row : rows) {
        TestDrive each;
        each.AddCommand("KELSETUP-LT");
        each.MakeDirectories("C:\\kel\\wxyz-lt01");
        each.WriteFile("C:\\kel\\wxyz-lt01\\sysname.dat", "wxyz-lt01");
        each.Os().writeFault = row.fault;
        each.Os().removalsFail = row.removalsFail;
        if (row.message.empty()) {
            EXPECT_THROW(InstallSystem(each.Os(), "WXYZ", "LT"), std::bad_alloc);
            EXPECT_EQ(each.Os().messages, Strings{});
        } else {
            EXPECT_EQ(InstallSystem(each.Os(), "WXYZ", "LT"), SetupResult::NotRegistered) << row.message;
            EXPECT_EQ(each.Os().messages, Strings{row.message});
        }
        // The system that was there is untouched, and nothing ran.
        EXPECT_EQ(each.Entries(kBaseDirectory), row.systems) << row.message;
        EXPECT_EQ(each.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
        EXPECT_EQ(each.Os().commands, Strings{});
    }
}

TEST_F(Install, BareProgramNameRunsTheCommandInTheCurrentDirectory)
{
    drive.Os().programArgument = "corvane";
    ASSERT_TRUE(drive.ChangeDirectory(TestDrive::kProgramDirectory));
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(Commands(), Strings{"KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01"});
    ASSERT_EQ(drive.Records().size(), 1u);
}

// 234 call letters, "-", "lt" and a three-digit number make the longest directory Windows makes
// (247 characters, its marker path 259): the claim may reach that number, so no more letters fit.
TEST_F(Install, TheLongestCallLettersWindowsTakesWork)
{
    const std::string letters(234, 'W');
    ASSERT_EQ(Run(letters, "LT"), SetupResult::Done) << testing::PrintToString(Messages());
    const std::string name = std::string(234, 'w') + "-lt01";
    EXPECT_EQ(drive.ReadFile("C:\\kel\\" + name + "\\sysname.dat"), name);
    ASSERT_EQ(drive.Records().size(), 1u);
    EXPECT_EQ(drive.Records()[0].arguments, (Strings{"C:\\kel\\" + name, name}));
}

TEST_F(Install, ConcurrentSetupsNeverShareANumber)
{
    const int processes = 8;
    const int each = 20;
    const std::string child = TestDrive::BinaryDirectory() + "/install_child" + TestDrive::ExecutableSuffix();
    const std::string root = drive.DriveRoot().empty() ? "-" : drive.DriveRoot();
    std::vector<std::vector<std::string>> commands(processes, {child, root, "WXYZ", "LT", std::to_string(each)});
    for (int status : RunConcurrently(commands))
        EXPECT_EQ(status, 0);

    std::set<std::string> expected;
    for (int n = 1; n <= processes * each; ++n)
        expected.insert(SystemName("wxyz-lt", n));
    const Strings systems = Systems();
    EXPECT_EQ(std::set<std::string>(systems.begin(), systems.end()), expected);
    for (const std::string& name : systems)
        EXPECT_EQ(drive.ReadFile("C:\\kel\\" + name + "\\sysname.dat"), name);
    std::set<std::string> announced;
    const std::vector<StubRecord> records = drive.Records();
    for (const StubRecord& record : records)
        announced.insert(record.arguments.at(1));
    EXPECT_EQ(records.size(), expected.size());
    EXPECT_EQ(announced, expected);
}
