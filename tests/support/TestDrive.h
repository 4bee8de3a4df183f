// The drive a test works on, with the real services, a recording wrapper and the stub command.
#pragma once

#include "platform/PlatformServices.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/StubRecords.h"

#include <memory>
#include <string>
#include <vector>

/// On the host a fresh temporary folder stands for C:\ and is removed afterwards; on Windows the
/// real C: is used and C:\kel and C:\corvane-test are removed before and after. The recording
/// wrapper reports kProgramPath as the program argument, so commands are looked for in
/// kProgramDirectory.
class TestDrive {
public:
    static constexpr const char* kProgramDirectory = "C:\\corvane-test\\prog\\";
    static constexpr const char* kProgramPath = "C:\\corvane-test\\prog\\corvane.exe";

    TestDrive();
    ~TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    PlatformServices& Real() { return *m_real; }
    RecordingPlatform& Os() { return m_recording; }

    /// The host path of a Windows path on this drive (unchanged on Windows).
    std::string Native(const std::string& windowsPath) const;
    /// The host folder standing for C:\ ("" on Windows, where C: is real).
    std::string DriveRoot() const { return m_root; }

    /// Copies the stub command into `directory` (a Windows path, made if missing) as `name`, with
    /// the executable suffix the platform wants.
    void AddCommand(const std::string& name, const std::string& directory = kProgramDirectory);
    /// The exit status every stub run returns from now on.
    void SetCommandExit(int status);
    /// From now on every stub run takes `milliseconds` before it ends (on Windows; 0 at first).
    void SetCommandDelay(int milliseconds);
    /// Every stub run so far, in the order they happened.
    std::vector<StubRecord> Records() const;

    /// Makes `windowsPath` the current directory, as whoever starts the program would; false when
    /// it is no directory. The drive's destructor puts the previous one back.
    bool ChangeDirectory(const std::string& windowsPath);

    void WriteFile(const std::string& windowsPath, const std::string& bytes) const;
    std::string ReadFile(const std::string& windowsPath) const;
    void MakeDirectories(const std::string& windowsPath) const;
    bool IsDirectory(const std::string& windowsPath) const;
    bool Exists(const std::string& windowsPath) const;
    /// The entries of a directory, "." and ".." left out, sorted.
    std::vector<std::string> Entries(const std::string& windowsPath) const;

    /// True when two host paths name the same directory.
    static bool SameDirectory(const std::string& a, const std::string& b);
    /// The directory the test executables (and the stub) were built into, as a host path.
    static std::string BinaryDirectory();
    /// ".exe" on Windows, "" elsewhere.
    static const char* ExecutableSuffix();
    /// The code page the real services write files in: Windows' ANSI one (GetACP), or the native
    /// build's Latin-1, 28591.
    static unsigned CodePageNumber();
    /// True when this Windows program runs under Wine (the only place its tests may touch C:).
    static bool UnderWine();

private:
    void Clean() const;

    std::string m_root;
    std::unique_ptr<PlatformServices> m_real;
    std::string m_startDirectory;
    RecordingPlatform m_recording;
};
