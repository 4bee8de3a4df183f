// Services that pass every call on to other services: the base of wrappers that change a few.
#pragma once

#include "platform/PlatformServices.h"

#include <utility>

/// Passes every call to the services given to the constructor; a wrapper overrides the calls it
/// changes or watches.
class ForwardingPlatform : public PlatformServices {
public:
    explicit ForwardingPlatform(PlatformServices& next) : m_next(next) {}

    std::string ProgramArgument() override { return m_next.ProgramArgument(); }
    std::vector<std::string> CommandArguments() override { return m_next.CommandArguments(); }
    unsigned long ProcessId() override { return m_next.ProcessId(); }
    bool EnvironmentHas(const std::string& name) override { return m_next.EnvironmentHas(name); }
    MakeDirResult MakeDirectory(const std::string& path) override { return m_next.MakeDirectory(path); }
    bool ClaimDirectory(const std::string& path) override { return m_next.ClaimDirectory(path); }
    bool RemoveEmptyDirectory(const std::string& path) override { return m_next.RemoveEmptyDirectory(path); }
    bool RemoveFile(const std::string& path) override { return m_next.RemoveFile(path); }
    bool AppendToFile(const std::string& path, const std::string& text) override
    {
        return m_next.AppendToFile(path, text);
    }
    bool ChangeDirectory(const std::string& path) override { return m_next.ChangeDirectory(path); }
    std::string CurrentDirectory() override { return m_next.CurrentDirectory(); }
    bool PathExists(const std::string& path) override { return m_next.PathExists(path); }
    std::vector<std::string> ListEntries() override { return m_next.ListEntries(); }
    WriteResult WriteTextFile(const std::string& path, const std::string& text) override
    {
        return m_next.WriteTextFile(path, text);
    }
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override
    {
        return m_next.ReadTokens(path, sink);
    }
    std::optional<int> RunCommand(const std::string& commandLine) override { return m_next.RunCommand(commandLine); }
    void WatchSession(std::function<void(SessionEvent)> watcher) override { m_next.WatchSession(std::move(watcher)); }
    int CompareText(const std::string& a, const std::string& b) override { return m_next.CompareText(a, b); }
    std::string LowerCase(const std::string& text) override { return m_next.LowerCase(text); }
    bool IsLeadByte(unsigned char byte) override { return m_next.IsLeadByte(byte); }
    void ShowMessage(const std::string& text) override { m_next.ShowMessage(text); }
    bool WriteStandard(StandardStream stream, const std::string& text) override
    {
        return m_next.WriteStandard(stream, text);
    }
    std::string LocalTime() override { return m_next.LocalTime(); }
    bool OpenDocument(const std::string& path) override { return m_next.OpenDocument(path); }
    bool ShowHelpTopic(const std::string& path, unsigned long context) override
    {
        return m_next.ShowHelpTopic(path, context);
    }
    void CloseHelp(const std::string& path) override { m_next.CloseHelp(path); }
    bool StartSockets() override { return m_next.StartSockets(); }
    void StopSockets() override { m_next.StopSockets(); }

protected:
    /// The services every call is passed to.
    PlatformServices& Next() { return m_next; }

private:
    PlatformServices& m_next;
};
