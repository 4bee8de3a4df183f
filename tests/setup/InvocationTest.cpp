// The command line: what each form asks for, each mistake, the log's full path, and how the log
// tells a command's end.
#include "setup/Invocation.h"

#include "setup/Install.h"
#include "setup/SetupLog.h"
#include "setup/Upgrade.h"

#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Action = Invocation::Action;

// Commands that end with a status given in advance, or never start; standard streams that take
// everything, are missing or fail.
class StatusPlatform : public RecordingPlatform {
public:
    using RecordingPlatform::RecordingPlatform;
    std::optional<int> RunCommand(const CommandRun&) override { return status; }
    StreamWrite WriteStandard(StandardStream, const std::string& text) override
    {
        written += text;
        return stream;
    }
    std::optional<int> status;
    StreamWrite stream = StreamWrite::Written;
    std::string written;
};

}  // namespace

TEST(ParseArguments, ReadsEachFormAndNamesEachMistake)
{
    struct Case {
        Strings arguments;
        Action action;
        Strings operands;
        bool quiet;
        std::string logPath;
    };
    const std::vector<Case> forms = {
        {{}, Action::Dialogs, {}, false, ""},
        {{"/log", "C:\\x.log"}, Action::Dialogs, {}, false, "C:\\x.log"},
        {{"/INSTALL", "AB CD", "lt", "-Quiet", "-LOG", "x.log"}, Action::Install, {"AB CD", "lt"}, true, "x.log"},
        {{"/install", "-x", "y"}, Action::Install, {"-x", "y"}, false, ""},
        {{"/quiet", "/upgrade", "wxyz-lt01"}, Action::Upgrade, {"wxyz-lt01"}, true, ""},
        {{"/list"}, Action::List, {}, false, ""},
        {{"-?"}, Action::Help, {}, false, ""},
    };
    for (const Case& form : forms) {
        const Invocation invocation = ParseArguments(form.arguments);
        const std::string what = testing::PrintToString(form.arguments);
        EXPECT_EQ(invocation.action, form.action) << what << " " << invocation.mistake;
        EXPECT_EQ(invocation.operands, form.operands) << what;
        EXPECT_EQ(invocation.quiet, form.quiet) << what;
        EXPECT_EQ(invocation.logPath, form.logPath) << what;
    }

    const std::vector<std::pair<Strings, std::string>> mistakes = {
        {{"install"}, "Corvane doesn't know the argument install."},
        {{"/"}, "Corvane doesn't know the argument /."},
        {{"/install", "WXYZ"}, "/install needs call letters and a system type."},
        {{"/upgrade"}, "/upgrade needs a system name."},
        // One of the program's own options is never taken for a missing operand.
        {{"/install", "WXYZ", "/quiet"}, "/install needs call letters and a system type."},
        {{"/upgrade", "-QUIET"}, "/upgrade needs a system name."},
        {{"/list", "/log", "/quiet"}, "/log needs a file."},
        {{"/list", "/log"}, "/log needs a file."},
        {{"/list", "/upgrade", "x"}, "Only one of /install, /upgrade, /list and /? can be given."},
        {{"/list", "extra"}, "Corvane doesn't know the argument extra."},
        {{"/?", "/log", "x.log"}, "Only one of /install, /upgrade, /list and /? can be given."},
        {{"/list", "/quiet"}, "/quiet goes with /install or /upgrade only."},
    };
    for (const auto& mistake : mistakes) {
        const Invocation invocation = ParseArguments(mistake.first);
        EXPECT_EQ(invocation.action, Action::Mistake) << testing::PrintToString(mistake.first);
        EXPECT_EQ(invocation.mistake, mistake.second);
    }
    // /quiet holds even for a mistake, so that an unattended run never waits on a window.
    EXPECT_TRUE(ParseArguments({"/install", "/quiet"}).quiet);
    EXPECT_TRUE(ParseArguments({"/upgrade", "/quiet"}).quiet);
    // And its /log holds wherever it stands, so the reason is logged.
    EXPECT_EQ(ParseArguments({"/instal", "x", "/quiet", "/log", "C:\\l.log"}).logPath, "C:\\l.log");
}

TEST(FullPath, MakesAPathFullAsWindowsDoes)
{
    const std::vector<std::vector<std::string>> rows = {  // path, current directory, full path
        {"run.log", "C:\\work", "C:\\work\\run.log"},
        {"\\logs\\run.log", "C:\\work", "C:\\logs\\run.log"},
        {"D:run.log", "C:\\work", "D:\\run.log"},
        {"c:run.log", "C:\\", "C:\\run.log"},
        {"\\\\server\\share\\run.log", "C:\\work", "\\\\server\\share\\run.log"},
        // A share's root is the root of a root-relative path there, not a drive that isn't.
        {"\\run.log", "\\\\server\\share\\work", "\\\\server\\share\\run.log"},
        {"\\logs\\run.log", "\\\\server\\share", "\\\\server\\share\\logs\\run.log"},
        {"run.log", "\\\\server\\share\\work", "\\\\server\\share\\work\\run.log"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FullPath(row[0], row[1]), row[2]) << row[0] << " in " << row[1];
}

// The list goes to standard output, or to a box for a program started without one; output that
// can't be written (its reader gone) is no reason to wait for a click nobody gives.
TEST(RunUnattended, AListThatCantBeWrittenIsLoggedAndEndsWithItsOwnExitCode)
{
    struct Row {
        StreamWrite stream;
        ExitCode code;
        Strings messages;
    };
    const std::vector<Row> rows = {
        {StreamWrite::Written, ExitCode::Done, {}},
        {StreamWrite::NoStream, ExitCode::Done, {"abcd-wx02\r\nwxyz-lt01\r\n"}},
        {StreamWrite::Failed, ExitCode::OutputNotWritten, {}},
    };
    for (const Row& row : rows) {
        TestDrive drive;
        drive.MakeDirectories("C:\\kel\\wxyz-lt01");
        drive.MakeDirectories("C:\\kel\\abcd-wx02");
        StatusPlatform os(drive.Real());
        os.stream = row.stream;
        LoggingPlatform logged(os, "C:\\corvane-test\\run.log", false);
        Invocation list;
        list.action = Invocation::Action::List;
        EXPECT_EQ(RunUnattended(logged, list), row.code);
        EXPECT_EQ(os.written, "abcd-wx02\r\nwxyz-lt01\r\n");
        EXPECT_EQ(os.messages, row.messages);
        const bool noted = drive.ReadFile("C:\\corvane-test\\run.log").find(
                                "The list of systems could not be written to standard output.") != std::string::npos;
        EXPECT_EQ(noted, row.stream == StreamWrite::Failed);
    }
}

TEST(LoggingPlatform, TellsACommandEndingWithMinusOneFromOneNeverStarted)
{
    TestDrive drive;
    StatusPlatform commands(drive.Os());
    LoggingPlatform logged(commands, "C:\\corvane-test\\run.log", true);
    for (const std::optional<int> status : {std::optional<int>(-1), std::optional<int>(static_cast<int>(0xC0000005u)),
                                            std::optional<int>(9009), std::optional<int>()}) {
        commands.status = status;
        EXPECT_EQ(logged.RunCommand({"KELSETUP-LT x"}), status);
    }
    const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
    for (const char* line : {"KELSETUP-LT x ended with exit status -1 (0xFFFFFFFF) after ",
                             "KELSETUP-LT x ended with exit status -1073741819 (0xC0000005) after ",
                             "KELSETUP-LT x ended with exit status 9009 after ",
                             "the command interpreter could not be started for KELSETUP-LT x\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
    EXPECT_EQ(log.find("could not be started"), log.rfind("could not be started")) << log;
}

// A store or a program folder that other users may change is said once a run in the log, with what
// to do, and used all the same.
TEST(LoggingPlatform, NotesOnceARunEachFolderOpenToOthers)
{
    TestDrive drive;
    drive.AddCommand("KELSETUP-LT");
    drive.AddCommand("lt-UPGRADE");
    drive.Os().foldersOpen = true;
    LoggingPlatform logged(drive.Os(), "C:\\corvane-test\\run.log", true);
    EXPECT_EQ(InstallSystem(logged, "WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(InstallSystem(logged, "WXYZ", "LT"), SetupResult::Done);
    EXPECT_EQ(UpgradeSystem(logged, "wxyz-lt01"), SetupResult::Done);
    const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
    const std::string store =
        "warning: users other than administrators may change what is in C:\\kel, so any of them could alter a "
        "registered system. An administrator can protect it as Corvane makes it new: icacls \"C:\\kel\" "
        "/inheritance:r /grant:r *S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX "
        "*S-1-5-32-545:(AD)\r\n";
    const std::string folder = "warning: users other than administrators may change what is in "
                               "C:\\corvane-test\\prog\\, Corvane's folder, so any of them could replace a setup command.";
    for (const std::string& line : {store, folder}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
        EXPECT_EQ(log.find(line), log.rfind(line)) << line;
    }
    EXPECT_EQ(drive.Os().messages, Strings{});
}
