// A wrapper around the real platform services that captures message boxes and injects faults.
#pragma once

#include "platform/ForwardingPlatform.h"

#include <string>
#include <vector>

/// Passes every call to the real services except: messages are recorded instead of shown (unless
/// told to show them too), help requests are recorded and answered, the program argument and the
/// command-line arguments can be replaced, and text-file writes and reads, appends, removals and the
/// socket library can be made to fail.
class RecordingPlatform : public ForwardingPlatform {
public:
    /// Throws: the write throws std::bad_alloc, as it would out of memory.
    enum class WriteFault { None, OpenFails, WriteFails, DiskFull, FlushFails, Throws };

    /// One request for help: "document" (the page opened), "topic" (the help viewer asked for a
    /// context number) or "close".
    struct HelpRequest {
        std::string kind;
        std::string path;
        unsigned long context;
    };

    using ForwardingPlatform::ForwardingPlatform;

    std::vector<std::string> messages;   ///< every ShowMessage text, in order
    std::vector<std::string> commands;   ///< every command line run, in order
    std::vector<std::string> directories;  ///< the directory each command was run in, in order
    std::vector<HelpRequest> help;       ///< every request for help, in order
    std::string programArgument;         ///< replaces the real program argument when not empty
    std::vector<std::string> arguments;  ///< the command-line arguments after the program's name
    WriteFault writeFault = WriteFault::None;
    bool readFailsHalfway = false;  ///< a token read hands over half the tokens, then fails
    bool removalsFail = false;      ///< RemoveEntry removes nothing and says so
    bool holdsFail = false;         ///< HoldDirectory holds nothing, as for a directory swapped for a link
    bool foldersOpen = false;       ///< FolderSafetyOf finds every folder open to other users
    /// Anything but Appended: AppendToFile appends nothing and answers this (NotAppended: as when
    /// another holds the lock past the wait).
    AppendResult appendFault = AppendResult::Appended;
    bool showMessages = false;  ///< show messages through the real services as well
    bool helpStarts = true;     ///< what Help answers
    bool socketsStart = true;   ///< whether StartSockets starts
    int socketStarts = 0;       ///< StartSockets calls
    int socketStops = 0;        ///< releases of what StartSockets gave

    std::string ProgramArgument() override;
    std::vector<std::string> CommandArguments() override { return arguments; }
    /// WriteFails writes the first half of the text and reports failure; DiskFull writes nothing
    /// and reports failure; FlushFails writes it all and reports failure; OpenFails makes nothing.
    WriteResult WriteTextFile(const std::string& path, const std::string& bytes) override;
    ReadResult ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink) override;
    bool RemoveEntry(const std::string& path) override;
    std::shared_ptr<void> HoldDirectory(const std::string& path) override;
    FolderSafety FolderSafetyOf(const std::string& path) override;
    AppendResult AppendToFile(const std::string& path, const std::string& bytes) override;
    std::optional<int> RunCommand(const CommandRun& run) override;
    void ShowMessage(const std::string& text) override;
    bool Help(const ::HelpRequest& request) override;
    std::shared_ptr<void> StartSockets() override;
};
