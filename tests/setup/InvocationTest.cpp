// The command line: what each form asks for, each mistake, the log's full path, and how the log
// tells a command's end.
#include "setup/FullPath.h"
#include "setup/ProgramArguments.h"
#include "setup/UnattendedRun.h"

#include "setup/Install.h"
#include "setup/SetupLog.h"
#include "setup/Upgrade.h"
#include "setup/SystemStore.h"

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
    std::optional<int> RunCommand(const CommandRun& run) override
    {
        commands.push_back(run.line);
        return status;
    }
    StreamWrite WriteStandard(StandardStream, const std::string& text) override
    {
        written += text;
        return stream;
    }
    std::optional<int> status = 0;
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
        {{"/log", ""}, "/log needs a file."},
        {{"/list", "/upgrade", "x"}, "Only one of /install, /upgrade, /list and /? can be given."},
        {{"/list", "extra"}, "Corvane doesn't know the argument extra."},
        {{"/?", "/log", "x.log"}, "Only one of /install, /upgrade, /list and /? can be given."},
        {{"/list", "/quiet"}, "/quiet goes with /install or /upgrade only."},
        {{"/install", "WXYZ", "/once"}, "/install needs call letters and a system type."},
        {{"/list", "-ONCE"}, "/once goes with /install only."},
    };
    for (const auto& mistake : mistakes) {
        const Invocation invocation = ParseArguments(mistake.first);
        EXPECT_EQ(invocation.action, Action::Mistake) << testing::PrintToString(mistake.first);
        EXPECT_EQ(invocation.mistake, mistake.second);
    }
    EXPECT_TRUE(ParseArguments({"/once", "/install", "WXYZ", "LT"}).once);
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
    const std::string warning = "warning: users other than administrators may change what is in ";
    for (const std::string& line : {warning + "C:\\kel, so any of them could alter a registered system. An administrator "
                                              "can protect it as Corvane makes it new: icacls \"C:\\kel\" /inheritance:r",
                                    warning + "C:\\corvane-test\\prog\\, Corvane's folder, so any of them could replace"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
        EXPECT_EQ(log.find(line), log.rfind(line)) << line;
    }
    EXPECT_EQ(drive.Os().messages, Strings{});
}

// A deployment tool runs the same install again and again: with /once a system of the call letters
// and type there already ends the run with its name, and nothing is made or run; otherwise the
// install goes on with every check of its own.
TEST(RunUnattended, AnInstallOnceFindsTheSystemTheInstallWouldNumberOnOrInstalls)
{
    struct Row {
        Strings store;
        std::string letters;
        std::string type;
        ExitCode code;
        std::string output;
        Strings systems;  // afterwards
    };
    const std::vector<Row> rows = {
        {{"wxyz-lt02", "wxyz-lt01"}, "WXYZ", "lt", ExitCode::AlreadyRegistered, "wxyz-lt01\r\n",
         {"wxyz-lt01", "wxyz-lt02"}},
        {{"wxyz-wx01"}, "WXYZ", "LT", ExitCode::Done, "", {"wxyz-lt01", "wxyz-wx01"}},
        // Input the install refuses is refused, whatever the store holds.
        {{"wxyz-nope01"}, "WXYZ", "NOPE", ExitCode::Refused, "", {"wxyz-nope01"}},
    };
    for (const Row& row : rows) {
        TestDrive drive;
        drive.AddCommand("KELSETUP-LT");
        for (const std::string& name : row.store)
            drive.MakeDirectories(std::string(kBaseDirectory) + "\\" + name);
        StatusPlatform os(drive.Os());
        LoggingPlatform logged(os, "C:\\corvane-test\\run.log", false);
        const std::string what = row.letters + " " + row.type;
        EXPECT_EQ(RunUnattended(logged, ParseArguments({"/install", row.letters, row.type, "/once"})), row.code) << what;
        EXPECT_EQ(os.written, row.output) << what;
        EXPECT_EQ(drive.Entries(kBaseDirectory), row.systems) << what;
        EXPECT_EQ(os.commands.size(), row.code == ExitCode::Done ? 1u : 0u) << what;
        const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
        const std::string said = "The system " + row.output.substr(0, row.output.size() - 2) +
                                 " is registered already: nothing was installed.";
        EXPECT_EQ(log.find(said) != std::string::npos, row.code == ExitCode::AlreadyRegistered) << what << "\n" << log;
    }
}

// Every deployment tool reads 3010 and 1641 as a success that needs a restart: they pass through
// as the run's own exit code, said so in the log. Any other status but 0 is a failure.
TEST(RunUnattended, TheSetupCommandsStatusGivesTheExitCode)
{
    struct Row {
        std::optional<int> status;
        ExitCode code;
        std::string said;  // in the log, or in the one message
    };
    const std::string failed = "Setup command KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01 failed with exit code ";
    const std::vector<Row> rows = {
        {0, ExitCode::Done, "ended with exit status 0 after "},
        {1, ExitCode::CommandFailed, failed + "1."},
        {3010, ExitCode::RestartNeeded, "ended with exit status 3010 after "},
        {1641, ExitCode::RestartStarted, "ended with exit status 1641 after "},
        {9009, ExitCode::CommandFailed, failed + "9009."},
        {-1, ExitCode::CommandFailed, failed + "-1."},
        {std::nullopt, ExitCode::CommandFailed, failed + "-1."},
    };
    for (const Row& row : rows) {
        TestDrive drive;
        drive.AddCommand("KELSETUP-LT");
        StatusPlatform os(drive.Os());
        os.status = row.status;
        LoggingPlatform logged(os, "C:\\corvane-test\\run.log", false);
        const std::string what = row.status ? std::to_string(*row.status) : "not started";
        EXPECT_EQ(RunUnattended(logged, ParseArguments({"/install", "WXYZ", "LT"})), row.code) << what;
        const bool failure = row.code == ExitCode::CommandFailed;
        EXPECT_EQ(os.messages, failure ? Strings{row.said} : Strings{}) << what;
        const std::string log = drive.ReadFile("C:\\corvane-test\\run.log");
        EXPECT_NE(log.find(row.said), std::string::npos) << what << "\n" << log;
        // A restart status is said to be a success where the log gives it.
        const bool restart = row.code == ExitCode::RestartNeeded || row.code == ExitCode::RestartStarted;
        EXPECT_EQ(log.find(" s: done, ") != std::string::npos, restart) << what << "\n" << log;
        EXPECT_EQ(drive.ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01") << what;
    }
}

// A line the log can't take (another keeps its lock past the wait, its folder went away while the
// command ran) is said once on standard error, and the run ends as it deserves; a log that never
// opens is the one reason a run doesn't start, said as that alone.
TEST(LoggingPlatform, LinesTheLogCantTakeAreSaidOnceAndChangeNoExitCode)
{
    // Its folder goes with the command, as when it is removed while the command runs.
    class VanishingLog : public StatusPlatform {
    public:
        using StatusPlatform::StatusPlatform;
        std::optional<int> RunCommand(const CommandRun&) override
        {
            if (vanishes) {
                Next().RemoveEntry("C:\\corvane-test\\logs\\run.log");
                Next().RemoveEntry("C:\\corvane-test\\logs");
            }
            return 0;
        }
        bool vanishes = false;
    };
    struct Row {
        AppendResult fault;
        bool vanishes;
        bool starts;
        std::string firstLost;  // the text said with the first line lost; "" for none
    };
    const std::string lost = "A line could not be added to the log file C:\\corvane-test\\logs\\run.log, and the log "
                             "may lack others of this run: ";
    const std::vector<Row> rows = {
        {AppendResult::Appended, false, true, ""},
        {AppendResult::NotAppended, false, true, "Corvane 1.0 started with arguments: /install WXYZ LT /quiet"},
        {AppendResult::Appended, true, true, "KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01 ended with exit status 0"},
        {AppendResult::OpenFailed, false, false, ""},
    };
    for (const Row& row : rows) {
        TestDrive drive;
        drive.MakeDirectories("C:\\corvane-test\\logs");
        drive.AddCommand("KELSETUP-LT");
        VanishingLog os(drive.Real());
        os.programArgument = TestDrive::kProgramPath;
        os.appendFault = row.fault;
        os.vanishes = row.vanishes;
        os.status = 0;
        LoggingPlatform logged(os, "C:\\corvane-test\\logs\\run.log", true);
        const Strings arguments = {"/install", "WXYZ", "LT", "/quiet"};
        ASSERT_EQ(NoteRunStart(logged, "1.0", arguments, "C:\\corvane-test\\logs\\run.log"), row.starts);
        if (!row.starts) {
            EXPECT_EQ(os.written, "The log file C:\\corvane-test\\logs\\run.log can't be opened.\r\n");
            continue;
        }
        // The lock kept past the wait once is not waited for again: no later line is tried.
        os.appendFault = AppendResult::Appended;
        const ExitCode code = RunUnattended(logged, ParseArguments(arguments));
        NoteExitCode(logged, code);
        EXPECT_EQ(code, ExitCode::Done);
        EXPECT_EQ(drive.Exists("C:\\corvane-test\\logs\\run.log"), row.fault == AppendResult::Appended && !row.vanishes);
        if (row.firstLost.empty()) {
            EXPECT_EQ(os.written, "");
            EXPECT_NE(drive.ReadFile("C:\\corvane-test\\logs\\run.log").find("] exit code 0\r\n"), std::string::npos);
            continue;
        }
        EXPECT_EQ(os.written.rfind(lost + row.firstLost, 0), 0u) << os.written;
        EXPECT_EQ(os.written.find("A line"), os.written.rfind("A line")) << os.written;
        EXPECT_EQ(os.written.find('\n'), os.written.size() - 1) << os.written;
    }
}
