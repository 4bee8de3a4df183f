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

// The lines of the log at `path`, each checked for its time stamp, process id and CR LF; the texts
// are returned.
Strings LogTexts(const std::string& path = kLog)
{
    const std::string log = Session::ReadFile(path);
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
    // Once more as a deployment tool runs it again: the system is there, so nothing is made or run.
    Outcome again = quietly({"/install", "wxyz", "LT", "/once"});
    EXPECT_EQ(again.exitCode, 8u) << again.errors;
    EXPECT_EQ(again.output, "wxyz-lt01\r\n");
    EXPECT_FALSE(again.showedWindow);

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

    // Done, but Windows must restart: the command's own code, which deployment tools know.
    session.SetCommandExit(3010);
    Outcome restart = quietly({"/upgrade", "wxyz-lt02"});
    EXPECT_EQ(restart.exitCode, 3010u) << restart.errors;

    // The type is used as the catalogue spells it; the listed name as the store spells it.
    const std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 5u);
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
        {{"/install", "WXYZ", "GNX", "/quiet"}, 2, "The system type GNX is not one of the 2 types offered (LT WX)."},
        {{"/install", "WX%PATH%", "LT", "/quiet"}, 2,
         "The call letters and the system type can't contain \\, /, % or a double quote."},
        {{"/install", "", "LT", "/quiet"}, 2, "You have to select both call letters and system devices."},
        {{"/upgrade", "wxyz-lt01", "/quiet"}, 2, "No system named wxyz-lt01 is installed in C:\\kel."},
        {{"/install", "A*B", "LT", "/quiet"}, 3, "Could not open any C:\\kel\\a*b-ltnn subdirectories for output file"},
        {{"/install", "WXYZ"}, 1, "/install needs call letters and a system type."},
        {{"/list", "/quiet"}, 1, "/quiet goes with /install or /upgrade only."},
        {{"/remove", "x"}, 1, "Corvane doesn't know the argument /remove."},
        {{"/list", "/log", "C:\\missing\\corvane.log"}, 1, "The log file C:\\missing\\corvane.log can't be opened."},
        {{"/list", "/log", ""}, 1, "/log needs a file."},
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
    ExpectMessage(box, "The system type NOPE is not one of the 5 types offered (GNX LT PRM TR9 WX).");
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
    // Gone before the next session replaces the commands it runs from.
    WaitUntil(
        [] {
            HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, "Local\\corvane-stub-leftover");
            if (event)
                CloseHandle(event);
            return event == nullptr;
        },
        "the program the command left to end");
}

// Corvane in a folder the code page can't hold works in that folder: its catalogue, its commands
// and its log, never those of the folder named as the A functions would have misspelt it (best fit
// makes Łódź Lódz with 1252 and Lodz with 1251). Each code page runs its own row.
TEST(CodePage, AFolderItCantHoldIsTheProgramsOwnAndNoLookAlikesFolder)
{
    const std::string folder = "C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA Setup\\";  // C:\Łódź Setup\ .
    const std::vector<std::pair<unsigned, std::string>> lookAlikes = {
        {1252, "C:\\L\xC3\xB3" "dz Setup\\"}, {1251, "C:\\Lodz Setup\\"}, {932, ""}};
    const auto row = std::find_if(lookAlikes.begin(), lookAlikes.end(),
                                  [](const auto& r) { return r.first == TestDrive::CodePageNumber(); });
    ASSERT_NE(row, lookAlikes.end()) << "no row for code page " << TestDrive::CodePageNumber();
    const std::string& lookAlike = row->second;

    Session session(folder);
    session.WriteCatalogue("LT ZZ9\r\n");
    session.AddCommands("ZZ9");
    if (!lookAlike.empty()) {
        // Everything the look-alike folder holds would work too, but for the type only Corvane's
        // own catalogue offers.
        Session::Remove(lookAlike);
        Session::MakeDirectories(lookAlike);
        Session::WriteFile(lookAlike + "keldevicetypes.dat", "LT ZZ9\r\n");
        session.AddCommands("ZZ9", lookAlike);
    }
    const std::string log = folder + "run.log";
    const Outcome install = RunCorvane(session, {"/install", "WXYZ", "ZZ9", "/quiet", "/log", log});
    const Outcome upgrade = RunCorvane(session, {"/upgrade", "wxyz-zz901", "/quiet", "/log", log});
    const Outcome list = RunCorvane(session, {"/list", "/log", log});
    if (!lookAlike.empty())
        Session::Remove(lookAlike);

    EXPECT_EQ(install.exitCode, 0u) << install.errors;
    EXPECT_EQ(upgrade.exitCode, 0u) << upgrade.errors;
    EXPECT_EQ(list.output, "wxyz-zz901\r\n");
    const std::vector<StubRecord> records = session.Records();
    ASSERT_EQ(records.size(), 2u);
    for (const StubRecord& record : records)
        EXPECT_TRUE(TestDrive::SameDirectory(record.directory, folder)) << record.directory;
    // The log is where it was asked to be, in UTF-8, the folder spelt as it is.
    const Strings texts = LogTexts(log);
    EXPECT_EQ(CountStarting(texts, "running KELSETUP-ZZ9 C:\\kel\\wxyz-zz901 wxyz-zz901 in c:\\\xC5\x81\xC3\xB3" "d\xC5\xBA setup\\"),
              1u);
    EXPECT_EQ(CountStarting(texts, "exit code 0"), 3u);
}

// A script that pipes the list and stops reading (findstr that found its line, a closed shell)
// gets Corvane's end, with an exit code of its own and the reason in the log, not a box nobody
// clicks.
TEST(CommandLine, AListNobodyReadsEndsWithExitCode6AndNoWindow)
{
    Session session;
    Session::MakeDirectories("C:\\kel\\wxyz-lt01");
    Process program(session.ProgramDirectory() + "corvane.exe", "C:\\", {"/list", "/log", kLog}, true, true);
    bool showedWindow = false;
    WaitUntil(
        [&] {
            showedWindow = showedWindow || ShowsAnyWindow(program.Id());
            return !program.Running();
        },
        "corvane /list to end");
    EXPECT_EQ(program.WaitForExit(), 6u);
    EXPECT_FALSE(showedWindow);
    const Strings log = LogTexts();
    EXPECT_EQ(CountStarting(log, "The list of systems could not be written to standard output."), 1u);
    EXPECT_EQ(log.back(), "exit code 6");
}

// Anyone can make a folder under C:\kel. One named with fullwidth quotes, which best fit turned
// into " and then into a second command, is listed without a look-alike that could be pasted back
// and starts nothing but, where the code page holds the character, the upgrade command.
TEST(CodePage, ANamePlantedUnderTheStoreIsListedAsItIsAndStartsNothingElse)
{
    Session session;
    session.AddStub("pwn");
    const std::string planted = "x\xEF\xBC\x82&pwn&\xEF\xBC\x82-lt01";
    Session::MakeDirectories(std::string(Session::kStore) + "\\" + planted);
    const bool held = TestDrive::CodePageNumber() == 932;  // ＂ is 0xFA 0x57 there

    const Outcome list = RunCorvane(session, {"/list"});
    EXPECT_EQ(list.exitCode, 0u);
    EXPECT_EQ(list.output, held ? "x\xFA\x57&pwn&\xFA\x57-lt01\r\n" : "x?&pwn&?-lt01\r\n");
    for (const std::string& name : {planted, std::string("x?&pwn&?-lt01"), std::string("x\"&pwn&\"-lt01")}) {
        const Outcome upgrade = RunCorvane(session, {"/upgrade", name, "/quiet"});
        EXPECT_EQ(upgrade.exitCode, held && name == planted ? 0u : 2u) << name << " " << upgrade.errors;
    }
    for (const StubRecord& record : session.Records())
        EXPECT_EQ(record.program.find("pwn"), std::string::npos) << record.program;
    EXPECT_EQ(session.Records().size(), held ? 1u : 0u);
}
