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
    for (const auto& input : std::vector<std::pair<std::string, std::string>>{{"..\\x", "LT"},
                                                                               {"a/b", "LT"},
                                                                               {"%PATH%", "LT"},
                                                                               {"WXYZ", "L\\T"},
                                                                               {"WXYZ", "%T"},
                                                                               {"", "LT"},
                                                                               {"WXYZ", ""},
                                                                               {"WXYZ", "NOPE"}}) {
        EXPECT_EQ(Run(input.first, input.second), SetupResult::Refused) << input.first << " " << input.second;
    }
    Strings expected(5, "The call letters and the system type can't contain \\, / or %.");
    expected.insert(expected.end(), 2, "You have to select both call letters and system devices.");
    // Without a catalogue the default types are offered, sorted as the dialog's list shows them.
    expected.push_back("The system type NOPE is not one of the types offered: GNX LT PRM TR9 WX.");
    EXPECT_EQ(Messages(), expected);
    EXPECT_FALSE(drive.Exists(kBaseDirectory));
    EXPECT_FALSE(drive.Exists("C:\\x-lt01"));
    EXPECT_EQ(Commands(), Strings{});
}

TEST_F(Install, NetworkFolderIsRefusedBeforeAnythingIsMade)
{
    drive.Os().programArgument = "\\\\server\\share\\Corvane\\corvane.exe";
    EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::NotRegistered);
    EXPECT_EQ(Messages(), Strings{"Corvane can't run setup commands from the network folder \\\\server\\share\\Corvane\\. "
                                  "Copy it to a local folder or map a drive letter to it."});
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

TEST_F(Install, NoInstallOrUpgradeBeginsWhileACommandRuns)
{
    // What a tool's message, answered inside the wait, would ask for while the command runs.
    struct Reentering : ForwardingPlatform {
        using ForwardingPlatform::ForwardingPlatform;
        std::optional<int> RunCommand(const std::string& commandLine) override
        {
            results.push_back(InstallSystem(*this, "WXYZ", "LT"));
            results.push_back(UpgradeSystem(*this, "wxyz-lt01", "lt"));
            return ForwardingPlatform::RunCommand(commandLine);
        }
        std::vector<SetupResult> results;
    } os(drive.Os());
    drive.AddCommand("lt-UPGRADE");
    EXPECT_EQ(InstallSystem(os, "WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(UpgradeSystem(os, "wxyz-lt01", "lt"), SetupResult::Done);
    EXPECT_EQ(os.results, std::vector<SetupResult>(4, SetupResult::Refused));
    EXPECT_EQ(Systems(), Strings{"wxyz-lt01"});
    EXPECT_EQ(Commands().size(), 2u);
    EXPECT_EQ(Messages(), Strings{});
}

TEST_F(Install, FailingOrMissingCommandIsReportedNotSuccess)
{
    drive.SetCommandExit(3);
    EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::CommandFailed);
    EXPECT_EQ(Run("WXYZ", "GNX"), SetupResult::CommandFailed);  // no KELSETUP-GNX beside the program
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0], "Setup command KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01 failed with exit code 3.");
    EXPECT_EQ(Messages()[1].rfind("Setup command KELSETUP-GNX C:\\kel\\wxyz-gnx01 wxyz-gnx01 failed with exit code ", 0), 0u)
        << Messages()[1];
    EXPECT_NE(Messages()[1], "Setup command KELSETUP-GNX C:\\kel\\wxyz-gnx01 wxyz-gnx01 failed with exit code 0.");
    // The system is registered all the same; the operator can run its command again by hand.
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-gnx01\\sysname.dat"), "wxyz-gnx01");
}

TEST_F(Install, MarkerFailuresLeaveNothingBehindAndRunNothing)
{
    using Fault = RecordingPlatform::WriteFault;
    drive.MakeDirectories("C:\\kel\\wxyz-lt01");
    drive.WriteFile("C:\\kel\\wxyz-lt01\\sysname.dat", "wxyz-lt01");
    const std::string marker = "c:\\kel\\wxyz-lt02\\sysname.dat";
    for (Fault fault : {Fault::OpenFails, Fault::WriteFails, Fault::DiskFull}) {
        drive.Os().messages.clear();
        drive.Os().writeFault = fault;
        EXPECT_EQ(Run("WXYZ", "LT"), SetupResult::NotRegistered);
        EXPECT_EQ(Messages(), Strings{"Setup file " + marker +
                                      (fault == Fault::OpenFails ? " could not be opened" : " could not be written")});
        // The claimed number is given back; the system that was there is untouched.
        EXPECT_EQ(Systems(), Strings{"wxyz-lt01"});
        EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
    }
    EXPECT_EQ(Commands(), Strings{});
    EXPECT_TRUE(drive.Records().empty());

    drive.Os().writeFault = Fault::None;
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(Systems(), (Strings{"wxyz-lt01", "wxyz-lt02"}));
    EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt02\\sysname.dat"), "wxyz-lt02");
}

TEST_F(Install, BareProgramNameRunsTheCommandInTheCurrentDirectory)
{
    drive.Os().programArgument = "corvane";
    ASSERT_TRUE(drive.Os().ChangeDirectory(TestDrive::kProgramDirectory));
    ASSERT_EQ(Run("WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(Commands(), Strings{"KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01"});
    ASSERT_EQ(drive.Records().size(), 1u);
}

TEST_F(Install, LongCallLettersWork)
{
    const std::string letters(200, 'W');
    ASSERT_EQ(Run(letters, "LT"), SetupResult::Done);
    const std::string name = std::string(200, 'w') + "-lt01";
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
