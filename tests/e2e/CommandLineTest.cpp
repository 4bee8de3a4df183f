// The program started with a command line, as deployment tools start it: exit codes, the store, the
// commands run, standard output and error, the log, and no window at all with /quiet.
#include "tests/e2e/Checks.h"
#include "tests/e2e/Session.h"
#include "tests/support/TestDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>

using namespace e2e;

namespace {

using Strings = std::vector<std::string>;

const char kLog[] = "C:\\corvane-e2e\\corvane.log";

/// How one run ended and what it showed.
struct Outcome {
    DWORD exitCode = 0;
    std::string output;
    std::string errors;
    bool showedWindow = false;
};

// Runs corvane.exe from the session's program directory with `arguments`, its standard output and
// error in pipes, watching for any window of its own until it ends.
Outcome RunCorvane(Session& session, const Strings& arguments)
{
    Process program(session.ProgramDirectory() + "corvane.exe", "C:\\", arguments, true);
    Outcome outcome;
    WaitUntil(
        [&] {
            outcome.showedWindow = outcome.showedWindow || ShowsAnyWindow(program.Id());
            return !program.Running();
        },
        "corvane " + arguments.front() + " to end");
    outcome.exitCode = program.WaitForExit();
    outcome.output = program.Output();
    outcome.errors = program.Errors();
    return outcome;
}

Strings Lines(const std::string& text)
{
    Strings lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The log's lines, each checked for its time stamp, process id and CR LF; the texts are returned.
Strings LogTexts()
{
    const std::string log = Session::ReadFile(kLog);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), std::count(log.begin(), log.end(), '\r')) << "bare line ends";
    static const std::regex kLine(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d \[\d+\] (.*))");
    Strings texts;
    for (const std::string& line : Lines(log)) {
        std::smatch match;
        if (std::regex_match(line, match, kLine))
            texts.push_back(match[1]);
        else
            ADD_FAILURE() << "not a log line: " << line;
    }
    return texts;
}

size_t CountStarting(const Strings& texts, const std::string& start)
{
    return static_cast<size_t>(
        std::count_if(texts.begin(), texts.end(), [&](const std::string& t) { return t.rfind(start, 0) == 0; }));
}

}  // namespace

TEST(CommandLine, InstallsUpgradesAndListsQuietlyWithExitCodesAndALog)
{
    Session session;
    // Unattended, logging to one file.
    const auto quietly = [&](Strings arguments) {
        arguments.insert(arguments.end(), {"/quiet", "/log", kLog});
        return RunCorvane(session, arguments);
    };
    const auto install = [&](const std::string& letters, const std::string& type) {
        return quietly({"/INSTALL", letters, type});
    };

    Outcome first = install("WXYZ", "lt");
    EXPECT_EQ(first.exitCode, 0u) << first.errors;
    EXPECT_FALSE(first.showedWindow);
    Outcome second = install("WXYZ", "LT");
    EXPECT_EQ(second.exitCode, 0u) << second.errors;
    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt02\\sysname.dat"), "wxyz-lt02");

    Outcome upgrade = quietly({"-upgrade", "WXYZ-LT01"});
    EXPECT_EQ(upgrade.exitCode, 0u) << upgrade.errors;
    EXPECT_FALSE(upgrade.showedWindow);

    session.SetCommandExit(7);
    Outcome failing = install("abcd", "WX");
    EXPECT_EQ(failing.exitCode, 4u);
    EXPECT_EQ(failing.errors, "Setup command KELSETUP-WX C:\\kel\\abcd-wx01 abcd-wx01 failed with exit code 7.\r\n");
    EXPECT_FALSE(failing.showedWindow);

    Outcome list = RunCorvane(session, {"/list"});
    EXPECT_EQ(list.exitCode, 0u);
    EXPECT_EQ(list.output, "abcd-wx01\r\nwxyz-lt01\r\nwxyz-lt02\r\n");
    EXPECT_FALSE(list.showedWindow);

    // The type is used as the catalogue spells it; the listed name as the store spells it.
    const std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].program, "KELSETUP-LT");
    EXPECT_EQ(records[0].arguments, (Strings{"C:\\kel\\wxyz-lt01", "wxyz-lt01"}));
    EXPECT_EQ(records[2].arguments, Strings{"wxyz-lt01"});

    const Strings log = LogTexts();
    EXPECT_EQ(CountStarting(log, "Corvane 1.0 started with arguments: /INSTALL WXYZ "), 2u);
    EXPECT_EQ(CountStarting(log, "Corvane 1.0 started with arguments: -upgrade WXYZ-LT01 /quiet /log "), 1u);
    EXPECT_EQ(CountStarting(log, "claimed directory C:\\kel\\wxyz-lt0"), 2u);
    EXPECT_EQ(CountStarting(log, "claimed directory C:\\kel\\abcd-wx01"), 1u);
    EXPECT_GE(CountStarting(log, "running KELSETUP-WX C:\\kel\\abcd-wx01 abcd-wx01 in c:\\corvane-e2e\\prog"), 1u);
    EXPECT_EQ(CountStarting(log, "KELSETUP-WX C:\\kel\\abcd-wx01 abcd-wx01 ended with exit status 7 after "), 1u);
    EXPECT_EQ(CountStarting(log, "message, not shown (quiet): Setup command KELSETUP-WX"), 1u);
    EXPECT_EQ(CountStarting(log, "exit code 0"), 3u);
    EXPECT_EQ(CountStarting(log, "exit code 4"), 1u);
}

TEST(CommandLine, RefusesBeforeAnythingIsMadeAndSaysWhatIsWrong)
{
    Session session;
    session.WriteCatalogue("LT WX\r\n");
    Session::MakeDirectories("C:\\kel");
    struct Case {
        Strings arguments;
        DWORD exitCode;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"/install", "WXYZ", "GNX", "/quiet"}, 2, "The system type GNX is not one of the types offered: LT WX."},
        {{"/install", "WX%PATH%", "LT", "/quiet"}, 2, "The call letters and the system type can't contain \\, / or %."},
        {{"/install", "", "LT", "/quiet"}, 2, "You have to select both call letters and system devices."},
        {{"/upgrade", "wxyz-lt01", "/quiet"}, 2, "No system named wxyz-lt01 is installed in C:\\kel."},
        {{"/install", "A*B", "LT", "/quiet"}, 3, "Could not open any C:\\kel\\a*b-ltnn subdirectories for output file"},
        {{"/install", "WXYZ"}, 1, "/install needs call letters and a system type."},
        {{"/list", "/quiet"}, 1, "/quiet goes with /install or /upgrade only."},
        {{"/remove", "x"}, 1, "Corvane doesn't know the argument /remove."},
        {{"/list", "/log", "C:\\missing\\corvane.log"}, 1, "The log file C:\\missing\\corvane.log can't be opened."},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunCorvane(session, c.arguments);
        const std::string what = c.arguments.front() + " " + c.arguments[1];
        EXPECT_EQ(outcome.exitCode, c.exitCode) << what;
        EXPECT_EQ(Lines(outcome.errors).at(0), c.error) << what;
        EXPECT_EQ(outcome.output, "") << what;
        EXPECT_FALSE(outcome.showedWindow) << what;
    }
    EXPECT_TRUE(std::filesystem::is_empty("C:\\kel"));
    EXPECT_TRUE(session.Records().empty());

    // Characters the interpreter acts on are still only part of the call letters.
    const Outcome ampersand = RunCorvane(session, {"/install", "A&B", "LT", "/quiet"});
    EXPECT_EQ(ampersand.exitCode, 0u) << ampersand.errors;
    ASSERT_EQ(session.Records().size(), 1u);
    EXPECT_EQ(session.Records()[0].arguments, (Strings{"C:\\kel\\a&b-lt01", "a&b-lt01"}));

    const Outcome help = RunCorvane(session, {"/?"});
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_EQ(Lines(help.output).at(0), "Usage:");
}

TEST(CommandLine, WithoutQuietMessagesAndTheCompletionDialogAppear)
{
    Session session;
    Process refused(session.ProgramDirectory() + "corvane.exe", "C:\\", {"/install", "WXYZ", "NOPE"});
    const MessageBoxView box = WaitForMessageBox(refused.Id(), Milliseconds(60000));
    ExpectMessage(box, "The system type NOPE is not one of the types offered: GNX LT PRM TR9 WX.");
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
    Dismiss(box);
    EXPECT_EQ(refused.WaitForExit(), 2u);

    Process installed(session.ProgramDirectory() + "corvane.exe", "C:\\", {"/install", "WXYZ", "lt"});
    HWND done = WaitForWindow(installed.Id(), "#32770", kCompleteCaption);
    EXPECT_EQ(Text(Control(done, 1019)), "Kelmor Setup has Completed Succesfully.");
    Press(done, IDOK);
    EXPECT_EQ(installed.WaitForExit(), 0u);
    EXPECT_EQ(Session::ReadFile("C:\\kel\\wxyz-lt01\\sysname.dat"), "wxyz-lt01");
}

TEST(CommandLine, EightConcurrentQuietInstallsShareOneLogAndNeverANumber)
{
    Session session;
    std::vector<std::unique_ptr<Process>> programs;
    for (int i = 0; i < 8; ++i)
        programs.push_back(std::make_unique<Process>(session.ProgramDirectory() + "corvane.exe", "C:\\",
                                                     Strings{"/install", "WXYZ", "LT", "/quiet", "/log", kLog}));
    for (auto& program : programs)
        EXPECT_EQ(program->WaitForExit(Milliseconds(180000)), 0u);

    for (int n = 1; n <= 8; ++n) {
        const std::string name = "wxyz-lt0" + std::to_string(n);
        EXPECT_EQ(Session::ReadFile("C:\\kel\\" + name + "\\sysname.dat"), name);
    }
    EXPECT_FALSE(Session::Exists("C:\\kel\\wxyz-lt09"));
    EXPECT_EQ(session.Records().size(), 8u);

    // Whole lines only: eight of each kind, and nothing else but the base directory made once.
    const Strings log = LogTexts();
    for (const char* kind : {"Corvane 1.0 started with arguments: ", "claimed directory C:\\kel\\wxyz-lt0",
                             "wrote file c:\\kel\\wxyz-lt0", "running KELSETUP-LT C:\\kel\\wxyz-lt0",
                             "KELSETUP-LT C:\\kel\\wxyz-lt0", "exit code 0"})
        EXPECT_EQ(CountStarting(log, kind), 8u) << kind;
    EXPECT_EQ(CountStarting(log, "made directory C:\\kel"), 1u);
    EXPECT_EQ(log.size(), 8u * 6 + 1);
}

// DLLs that Windows loads on demand, planted beside the program as anyone who can write to its
// folder could, and preferred to Wine's own as Windows prefers a DLL in the program's folder (the
// test's WINEDLLOVERRIDES names them native first): an install, an upgrade, /list, the dialogs
// and Help load none of them. Wine's own DLLs import version.dll, so Wine loads a planted one before
// the program's first instruction; Windows takes the dependencies of its KnownDLLs from its own
// directory, so the name is left out here.
TEST(PlantedDlls, NoneIsLoadedByAnInstallAnUpgradeTheListTheDialogsOrHelp)
{
    const Strings names = {"uxtheme", "dwmapi",  "propsys", "cryptbase", "winmm",       "profapi",      "userenv",
                           "sspicli", "secur32", "dbghelp", "oleacc",    "textshaping", "windowscodecs"};
    const char* const overrides = std::getenv("WINEDLLOVERRIDES");
    for (const std::string& name : names)
        ASSERT_NE(std::string(overrides ? overrides : "").find(";" + name + "=n,b"), std::string::npos)
            << "WINEDLLOVERRIDES doesn't prefer a planted " << name << ".dll";

    Session session;
    const std::string recorder = Session::ReadFile(TestDrive::BinaryDirectory() + "recording_dll.dll");
    for (const std::string& name : names)
        Session::WriteFile(session.ProgramDirectory() + name + ".dll", recorder);

    EXPECT_EQ(RunCorvane(session, {"/INSTALL", "WXYZ", "LT", "/quiet"}).exitCode, 0u);
    EXPECT_EQ(RunCorvane(session, {"/UPGRADE", "wxyz-lt01", "/quiet"}).exitCode, 0u);
    EXPECT_EQ(RunCorvane(session, {"/list"}).exitCode, 0u);
    // The dialogs and Help: with no help page beside the program, the help viewer is asked.
    Process& program = session.Start();
    HWND choice = session.WaitForChoice();
    HWND install = OpenFromChoice(session, choice, 1012, kInstallCaption);
    Press(install, 57670);
    const MessageBoxView viewer = WaitForMessageBox(0);
    Post(viewer.window, WM_COMMAND, IDNO, 0);
    WaitUntilGone(viewer.window, "the help viewer's message");
    Press(install, IDCANCEL);
    WaitUntilGone(install, "the install dialog");
    Post(choice, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);

    Strings loaded;
    for (const std::string& name : names) {
        if (Session::Exists(session.ProgramDirectory() + name + ".dll.loaded"))
            loaded.push_back(name);
    }
    EXPECT_EQ(loaded, Strings{});
}

TEST(CommandLine, ALogOffWhileTheCommandRunsIsHeldUpAndLoggedButACriticalOneIsNot)
{
    Session session;
    session.SetCommandDelay(3000);
    Process program(session.ProgramDirectory() + "corvane.exe", "C:\\",
                    {"/install", "WXYZ", "LT", "/quiet", "/log", kLog});
    WaitUntil([&] { return session.Records().size() == 1; }, "the install command to start");
    // Windows asks every top-level window, hidden or not, before the session ends.
    const std::vector<HWND> watch = TopWindows(program.Id(), "CorvaneSessionWatch", "Corvane", true);
    ASSERT_EQ(watch.size(), 1u);
    EXPECT_EQ(SendMessageA(watch[0], WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    SendMessageA(watch[0], WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(SendMessageA(watch[0], WM_QUERYENDSESSION, 0, ENDSESSION_CRITICAL), TRUE);
    SendMessageA(watch[0], WM_ENDSESSION, TRUE, ENDSESSION_CRITICAL);
    EXPECT_EQ(program.WaitForExit(), 0u);

    const std::string command = "KELSETUP-LT C:\\kel\\wxyz-lt01 wxyz-lt01";
    const Strings log = LogTexts();
    const auto running = std::find_if(log.begin(), log.end(), [](const std::string& t) { return t.rfind("running ", 0) == 0; });
    ASSERT_NE(running, log.end());
    EXPECT_EQ(Strings(running + 1, running + 5),
              (Strings{"the session asked to end while " + command + " runs: held up until it ends",
                       "the session goes on: its end was called off",
                       "the session is ending while " + command + " runs and can't be held up",
                       "the session ends while " + command + " runs: Corvane and the command end with it"}));
}

TEST(CommandLine, TheToolsPipeEndsWithCorvaneWhileAProgramTheCommandLeftStillRuns)
{
    Session session;
    session.SetCommandLeaves(120000);
    Process program(session.ProgramDirectory() + "corvane.exe", "C:\\", {"/install", "WXYZ", "LT", "/quiet"}, true);
    EXPECT_EQ(program.WaitForExit(), 0u);
    // Read to the end, as a deployment tool reads: the end comes when no process holds the pipe.
    program.Output();
    program.Errors();
    HANDLE leftover = OpenEventA(EVENT_MODIFY_STATE, FALSE, "Local\\corvane-stub-leftover");
    EXPECT_NE(leftover, nullptr) << "the pipe ended only with the program the setup command left running";
    if (leftover) {
        SetEvent(leftover);
        CloseHandle(leftover);
    }
    EXPECT_EQ(session.Records().size(), 1u);
}
