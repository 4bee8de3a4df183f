// The platform services on Windows: Win32 and C run-time calls.
#pragma once

#include "platform/PlatformServices.h"

#include <windows.h>

#include <string>

/// The real services. Message boxes are owned by the last active pop-up of the main window once
/// one is set, and by no window before.
class Win32Platform : public PlatformServices {
public:
    Win32Platform() = default;

    /// The window whose last active pop-up owns message boxes; nullptr for none.
    void SetMainWindow(HWND window) { m_mainWindow = window; }

    /// The program file's base name without its extension, as the file system spells it.
    std::string ApplicationTitle();

    std::string ProgramArgument() override;
    /// _mkdir; EEXIST counts as AlreadyExists only when the entry in the way is a directory.
    MakeDirResult MakeDirectory(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool ChangeDirectory(const std::string& path) override;
    std::string CurrentDirectory() override;
    bool PathExists(const std::string& path) override;
    std::vector<std::string> ListEntries() override;
    WriteResult WriteTextFile(const std::string& path, const std::string& text) override;
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override;
    /// system(): the interpreter named by COMSPEC gets "/c" and the line. A line that starts with a
    /// double quote gets one more pair around it, which the interpreter strips again.
    int RunCommand(const std::string& commandLine) override;
    std::string LowerCase(const std::string& text) override;
    bool IsLeadByte(unsigned char byte) override;
    void ShowMessage(const std::string& text) override;

private:
    HWND m_mainWindow = nullptr;
};
