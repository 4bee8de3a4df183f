// A wrapper around the real platform services that captures message boxes and injects faults.
#pragma once

#include "platform/PlatformServices.h"

#include <string>
#include <vector>

/// Passes every call to the real services except: messages are recorded instead of shown, the
/// program argument can be replaced, and text-file writes can be made to fail.
class RecordingPlatform : public PlatformServices {
public:
    enum class WriteFault { None, OpenFails, WriteFails, DiskFull };

    explicit RecordingPlatform(PlatformServices& real) : m_real(real) {}

    std::vector<std::string> messages;  ///< every ShowMessage text, in order
    std::vector<std::string> commands;  ///< every command line run, in order
    std::string programArgument;        ///< replaces the real program argument when not empty
    WriteFault writeFault = WriteFault::None;

    std::string ProgramArgument() override;
    MakeDirResult MakeDirectory(const std::string& path) override { return m_real.MakeDirectory(path); }
    bool RemoveEmptyDirectory(const std::string& path) override { return m_real.RemoveEmptyDirectory(path); }
    bool RemoveFile(const std::string& path) override { return m_real.RemoveFile(path); }
    bool ChangeDirectory(const std::string& path) override { return m_real.ChangeDirectory(path); }
    std::string CurrentDirectory() override { return m_real.CurrentDirectory(); }
    bool PathExists(const std::string& path) override { return m_real.PathExists(path); }
    std::vector<std::string> ListEntries() override { return m_real.ListEntries(); }
    /// WriteFails writes the first half of the text and reports failure; DiskFull writes nothing
    /// and reports failure; OpenFails makes nothing.
    WriteResult WriteTextFile(const std::string& path, const std::string& text) override;
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override
    {
        return m_real.ReadTokens(path, sink);
    }
    int RunCommand(const std::string& commandLine) override;
    std::string LowerCase(const std::string& text) override { return m_real.LowerCase(text); }
    bool IsLeadByte(unsigned char byte) override { return m_real.IsLeadByte(byte); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

private:
    PlatformServices& m_real;
};
