// One run of the program under test: its directory with the catalogue and stub commands, the
// store it works on, and the program itself; everything is cleaned before and after.
#pragma once

#include "tests/e2e/Driver.h"
#include "tests/support/StubRecords.h"

#include <memory>
#include <string>
#include <vector>

namespace e2e {

/// The dialogs' captions.
inline constexpr const char kChoiceCaption[] = "Kelmor Setup";
inline constexpr const char kInstallCaption[] = "Installing Systems";
inline constexpr const char kUpgradeCaption[] = "Upgrading Systems";
inline constexpr const char kCompleteCaption[] = "Kelmor Setup Complete";
/// The install dialog's call letters and system type.
inline constexpr int kCallLetters = 1000;
inline constexpr int kSystemType = 1001;

/// Enters the call letters in the install dialog, picks the type and presses OK.
void SubmitInstall(HWND install, const std::string& letters, const std::string& type);

/// The program directory, made afresh with corvane.exe (the one built beside the tests, or the file
/// that the environment variable CORVANE_E2E_PROGRAM names), stub commands for the sample types and
/// (unless told otherwise) a catalogue. With CORVANE_E2E_DPI set, the screen must have that many
/// DPI. C:\kel and the directories used here, the program directory among them, are removed when
/// the session starts and when it ends; a program still running at the end is terminated. Paths
/// are UTF-8.
class Session {
public:
    static constexpr const char* kProgramDirectory = "C:\\corvane-e2e\\prog\\";
    static constexpr const char* kSpacedProgramDirectory = "C:\\Program Files\\Corvane E2E\\";
    static constexpr const char* kStore = "C:\\kel";

    explicit Session(const std::string& programDirectory = kProgramDirectory);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::string& ProgramDirectory() const { return m_programDirectory; }

    /// Replaces the catalogue beside the program with exactly `bytes`.
    void WriteCatalogue(const std::string& bytes) const;
    /// Removes the catalogue.
    void RemoveCatalogue() const;
    /// Copies the stub as KELSETUP-<type>.exe and <type>-UPGRADE.exe into `directory`, the program
    /// directory unless told otherwise.
    void AddCommands(const std::string& type, const std::string& directory = std::string()) const;
    /// Copies the stub as <name>.exe into `directory`, the program directory unless told otherwise.
    void AddStub(const std::string& name, const std::string& directory = std::string()) const;
    /// The exit code every stub run returns from now on.
    void SetCommandExit(int code) const;
    /// From now on every stub run takes `milliseconds` before it ends.
    void SetCommandDelay(int milliseconds) const;
    /// From now on every stub run leaves a program running that inherits its handles, for up to
    /// `milliseconds` or until the event "Local\corvane-stub-leftover" is set; the event exists
    /// while it runs.
    void SetCommandLeaves(int milliseconds) const;
    /// From now on every stub run broadcasts WM_SETTINGCHANGE to every top-level window and asks
    /// the window with `caption` for its text, as installers do, before it ends.
    void SetCommandAsks(const std::string& caption) const;
    /// Every stub run so far, in order.
    std::vector<StubRecord> Records() const;

    /// Starts corvane.exe from the program directory, with C:\ as its working directory.
    Process& Start();
    Process& Program() { return *m_program; }
    /// Waits for the choice dialog of the started program.
    HWND WaitForChoice() const;
    /// Waits for a dialog of the started program.
    HWND WaitForDialog(const std::string& caption) const;
    /// True when a visible dialog with this caption belongs to the program.
    bool Shows(const std::string& caption) const;
    /// Waits for a message box of the started program.
    MessageBoxView WaitForMessage() const;

    /// The bytes of a file, or "" when it can't be read.
    static std::string ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::string& bytes);
    static void MakeDirectories(const std::string& path);
    static bool Exists(const std::string& path);
    /// Removes a file or a directory tree, if there.
    static void Remove(const std::string& path);

private:
    static void Clean();

    DrawnFrames m_frames;  // so that captions, with their icons, can be seen
    std::string m_programDirectory;
    std::unique_ptr<Process> m_program;
};

}  // namespace e2e
