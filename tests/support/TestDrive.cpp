// The per-test drive: a temporary folder on the host, the real C: (cleaned) on Windows.
#include "tests/support/TestDrive.h"

#include "setup/SystemStore.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#include "unicode/Wide.h"
#else
#include "platform/host/HostPlatform.h"
#endif

namespace fs = std::filesystem;

namespace {

// A path as the file system library takes it: names are UTF-8, whatever the code page.
fs::path PathOf(const std::string& path)
{
    return fs::u8path(path);
}

const char kRecordsDirectory[] = "C:\\corvane-test\\records";

std::unique_ptr<PlatformServices> MakeReal(const std::string& root)
{
#ifdef _WIN32
    (void)root;
    return std::make_unique<Win32Platform>();
#else
    return std::make_unique<HostPlatform>(root);
#endif
}

void SetVariable(const char* name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

std::string MakeRoot()
{
#ifdef _WIN32
    return std::string();
#else
    std::string pattern = (fs::temp_directory_path() / "corvane-drive-XXXXXX").string();
    if (!mkdtemp(&pattern[0]))
        throw std::runtime_error("cannot make a temporary drive");
    return pattern;
#endif
}

}  // namespace

TestDrive::TestDrive()
    : m_root(MakeRoot()), m_real(MakeReal(m_root)), m_startDirectory(m_real->CurrentDirectory()), m_recording(*m_real)
{
    Clean();
    m_recording.programArgument = kProgramPath;
    MakeDirectories(kProgramDirectory);
    MakeDirectories(kRecordsDirectory);
    SetVariable("CORVANE_STUB_RECORDS", Native(kRecordsDirectory));
    SetCommandExit(0);
    SetCommandDelay(0);
}

TestDrive::~TestDrive()
{
    // Leave the directories about to be removed: Windows won't remove a current directory.
    ChangeDirectory(m_startDirectory);
    std::error_code ignored;
    if (m_root.empty())
        Clean();
    else
        fs::remove_all(m_root, ignored);
}

void TestDrive::Clean() const
{
    if (!m_root.empty())
        return;
    std::error_code ignored;
    fs::remove_all(kBaseDirectory, ignored);
    fs::remove_all("C:\\corvane-test", ignored);
}

std::string TestDrive::Native(const std::string& windowsPath) const
{
#ifdef _WIN32
    return windowsPath;
#else
    return static_cast<HostPlatform&>(*m_real).HostPath(windowsPath);
#endif
}

void TestDrive::AddCommand(const std::string& name, const std::string& directory)
{
    MakeDirectories(directory);
    const fs::path target = PathOf(Native(directory)) / PathOf(name + ExecutableSuffix());
    fs::copy_file(PathOf(BinaryDirectory()) / (std::string("stub_command") + ExecutableSuffix()), target,
                  fs::copy_options::overwrite_existing);
}

bool TestDrive::ChangeDirectory(const std::string& windowsPath)
{
#ifdef _WIN32
    return SetCurrentDirectoryW(Wide(windowsPath).c_str()) != 0;
#else
    return static_cast<HostPlatform&>(*m_real).ChangeDirectory(windowsPath);
#endif
}

void TestDrive::SetCommandExit(int status)
{
    SetVariable("CORVANE_STUB_EXIT", std::to_string(status));
}

void TestDrive::SetCommandDelay(int milliseconds)
{
    SetVariable("CORVANE_STUB_SLEEP_MS", std::to_string(milliseconds));
}

std::vector<StubRecord> TestDrive::Records() const
{
    return ReadStubRecords(Native(kRecordsDirectory));
}

void TestDrive::WriteFile(const std::string& windowsPath, const std::string& bytes) const
{
    std::ofstream out(PathOf(Native(windowsPath)), std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + windowsPath);
}

std::string TestDrive::ReadFile(const std::string& windowsPath) const
{
    std::ifstream in(PathOf(Native(windowsPath)), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void TestDrive::MakeDirectories(const std::string& windowsPath) const
{
    fs::create_directories(PathOf(Native(windowsPath)));
}

bool TestDrive::IsDirectory(const std::string& windowsPath) const
{
    return fs::is_directory(PathOf(Native(windowsPath)));
}

bool TestDrive::Exists(const std::string& windowsPath) const
{
    return fs::exists(PathOf(Native(windowsPath)));
}

std::vector<std::string> TestDrive::Entries(const std::string& windowsPath) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(PathOf(Native(windowsPath)), error))
        names.push_back(entry.path().filename().u8string());
    std::sort(names.begin(), names.end());
    return names;
}

bool TestDrive::SameDirectory(const std::string& a, const std::string& b)
{
#ifdef _WIN32
    // Wine reports no stable file identity, so compare the spelling, ignoring case and a
    // trailing backslash.
    auto key = [](std::string path) {
        while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
            path.pop_back();
        for (char& c : path)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return path;
    };
    return key(a) == key(b);
#else
    std::error_code error;
    return fs::equivalent(a, b, error);
#endif
}

std::string TestDrive::BinaryDirectory()
{
#ifdef _WIN32
    Win32Platform real;
    return ProgramDirectory(real.ProgramArgument());
#else
    HostPlatform real("/");
    return fs::path(real.HostPath(real.ProgramArgument())).parent_path().string();
#endif
}

unsigned TestDrive::CodePageNumber()
{
#ifdef _WIN32
    return GetACP();
#else
    return 28591;
#endif
}

bool TestDrive::UnderWine()
{
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

const char* TestDrive::ExecutableSuffix()
{
#ifdef _WIN32
    return ".exe";
#else
    return "";
#endif
}
