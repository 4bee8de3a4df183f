// Services that pass every call on to other services: the base of wrappers that change a few.
#pragma once

#include "platform/PlatformServices.h"

/// Passes every call to the services given to the constructor; a wrapper overrides the calls it
/// changes or watches.
class ForwardingPlatform : public PlatformServices {
public:
    explicit ForwardingPlatform(PlatformServices& next) : m_next(next) {}

    std::string ProgramArgument() override { return m_next.ProgramArgument(); }
    std::vector<std::string> CommandArguments() override { return m_next.CommandArguments(); }
    std::string CurrentDirectory() override { return m_next.CurrentDirectory(); }
    const CodePage& TextCodePage() override { return m_next.TextCodePage(); }
    MakeDirResult MakeDirectory(const std::string& path) override { return m_next.MakeDirectory(path); }
    bool ClaimDirectory(const std::string& path) override { return m_next.ClaimDirectory(path); }
    std::shared_ptr<void> HoldDirectory(const std::string& path) override { return m_next.HoldDirectory(path); }
    FolderSafety FolderSafetyOf(const std::string& path) override { return m_next.FolderSafetyOf(path); }
    bool RemoveEntry(const std::string& path) override { return m_next.RemoveEntry(path); }
    AppendResult AppendToFile(const std::string& path, const std::string& bytes) override
    {
        return m_next.AppendToFile(path, bytes);
    }
    PathKind PathType(const std::string& path) override { return m_next.PathType(path); }
    std::vector<std::string> ListEntries(const std::string& folder) override { return m_next.ListEntries(folder); }
    WriteResult WriteTextFile(const std::string& path, const std::string& bytes) override
    {
        return m_next.WriteTextFile(path, bytes);
    }
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override
    {
        return m_next.ReadTokens(path, sink);
    }
    std::vector<std::string> CommandFiles(const std::string& folder, const std::string& name) override
    {
        return m_next.CommandFiles(folder, name);
    }
    std::optional<int> RunCommand(const CommandRun& run) override { return m_next.RunCommand(run); }
    void ShowMessage(const std::string& text) override { m_next.ShowMessage(text); }
    StreamWrite WriteStandard(StandardStream stream, const std::string& text) override
    {
        return m_next.WriteStandard(stream, text);
    }
    bool Help(const HelpRequest& request) override { return m_next.Help(request); }
    std::shared_ptr<void> StartSockets() override { return m_next.StartSockets(); }

protected:
    /// The services every call is passed to.
    PlatformServices& Next() { return m_next; }

private:
    PlatformServices& m_next;
};
