// Program directories, the store and stub records for one end-to-end run: std::filesystem and Win32.
#include "tests/e2e/Session.h"

#include "tests/support/TestDrive.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace e2e {

void SubmitInstall(HWND install, const std::string& letters, const std::string& type)
{
    SetText(install, kCallLetters, letters);
    Select(Control(install, kSystemType), type);
    Press(install, IDOK);
}

namespace {

const char kRecordsDirectory[] = "C:\\corvane-e2e\\records";
const char* const kSampleTypes[] = {"LT", "WX", "PRM", "TR9", "GNX"};

// A released build of the program is checked with the same scenarios as the one built beside the
// tests, so the program to copy can be named from outside.
std::string ProgramUnderTest()
{
    const char* named = std::getenv("CORVANE_E2E_PROGRAM");
    return named != nullptr && *named != '\0' ? named : TestDrive::BinaryDirectory() + "corvane.exe";
}

void Copy(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::copy_file(fs::u8path(from), fs::u8path(to), fs::copy_options::overwrite_existing, error);
    if (error)
        throw DriverError("cannot copy " + from + " to " + to + ": " + error.message());
}

}  // namespace

Session::Session(const std::string& programDirectory) : m_programDirectory(programDirectory)
{
    // A run meant for another screen resolution must really have it, or its checks prove nothing.
    if (const char* dpi = std::getenv("CORVANE_E2E_DPI")) {
        HDC screen = GetDC(nullptr);
        const int actual = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        if (actual != std::atoi(dpi))
            throw DriverError("the screen has " + std::to_string(actual) + " DPI, not " + dpi);
    }
    Clean();
    Remove(m_programDirectory);
    MakeDirectories(m_programDirectory);
    MakeDirectories(kRecordsDirectory);
    Copy(ProgramUnderTest(), m_programDirectory + "corvane.exe");
    std::string catalogue;
    for (const char* type : kSampleTypes) {
        AddCommands(type);
        catalogue += std::string(type) + "\r\n";
    }
    WriteCatalogue(catalogue);
    SetEnvironment("CORVANE_STUB_RECORDS", kRecordsDirectory);
    SetEnvironment("CORVANE_STUB_SLEEP_MS", "");
    SetEnvironment("CORVANE_STUB_ASK", "");
    SetEnvironment("CORVANE_STUB_LEAVE_MS", "");
    SetCommandExit(0);
}

Session::~Session()
{
    m_program.reset();
    Clean();
    Remove(m_programDirectory);
}

void Session::Clean()
{
    Remove(kStore);
    Remove("C:\\corvane-e2e");
    Remove("C:\\Program Files\\Corvane E2E");
}

void Session::WriteCatalogue(const std::string& bytes) const
{
    WriteFile(m_programDirectory + "keldevicetypes.dat", bytes);
}

void Session::RemoveCatalogue() const
{
    Remove(m_programDirectory + "keldevicetypes.dat");
}

void Session::AddCommands(const std::string& type, const std::string& directory) const
{
    AddStub("KELSETUP-" + type, directory);
    std::string lower = type;
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    AddStub(lower + "-UPGRADE", directory);
}

void Session::AddStub(const std::string& name, const std::string& directory) const
{
    Copy(TestDrive::BinaryDirectory() + "stub_command.exe",
         (directory.empty() ? m_programDirectory : directory) + name + ".exe");
}

void Session::SetCommandExit(int code) const
{
    SetEnvironment("CORVANE_STUB_EXIT", std::to_string(code));
}

void Session::SetCommandDelay(int milliseconds) const
{
    SetEnvironment("CORVANE_STUB_SLEEP_MS", std::to_string(milliseconds));
}

void Session::SetCommandLeaves(int milliseconds) const
{
    SetEnvironment("CORVANE_STUB_LEAVE_MS", std::to_string(milliseconds));
}

void Session::SetCommandAsks(const std::string& caption) const
{
    SetEnvironment("CORVANE_STUB_ASK", caption);
}

std::vector<StubRecord> Session::Records() const
{
    return ReadStubRecords(kRecordsDirectory);
}

Process& Session::Start()
{
    m_program = std::make_unique<Process>(m_programDirectory + "corvane.exe", "C:\\");
    return *m_program;
}

HWND Session::WaitForChoice() const
{
    // The first start in a fresh prefix is slow.
    return WaitForWindow(m_program->Id(), "#32770", kChoiceCaption);
}

HWND Session::WaitForDialog(const std::string& caption) const
{
    return WaitForWindow(m_program->Id(), "#32770", caption);
}

bool Session::Shows(const std::string& caption) const
{
    return !TopWindows(m_program->Id(), "#32770", caption).empty();
}

MessageBoxView Session::WaitForMessage() const
{
    return WaitForMessageBox(m_program->Id());
}

std::string Session::ReadFile(const std::string& path)
{
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Session::WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(fs::u8path(path), std::ios::binary);
    out << bytes;
    if (!out)
        throw DriverError("cannot write " + path);
}

void Session::MakeDirectories(const std::string& path)
{
    std::error_code error;
    fs::create_directories(fs::u8path(path), error);
    if (error)
        throw DriverError("cannot make " + path + ": " + error.message());
}

bool Session::Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::u8path(path), error);
}

void Session::Remove(const std::string& path)
{
    std::error_code error;
    fs::remove_all(fs::u8path(path), error);
}

}  // namespace e2e
