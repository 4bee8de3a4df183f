// A wrapper around the real platform services that captures message boxes and injects faults.
#pragma once

#include "platform/ForwardingPlatform.h"

#include <string>
#include <vector>

/// Passes every call to the real services except: messages are recorded instead of shown (unless
/// told to show them too), help requests are recorded and answered, the program argument and the
/// command-line arguments can be replaced, text-file writes and the socket library can be made to
/// fail.
class RecordingPlatform : public ForwardingPlatform {
public:
    enum class WriteFault { None, OpenFails, WriteFails, DiskFull };

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
    std::vector<HelpRequest> help;       ///< every request for help, in order
    std::string programArgument;         ///< replaces the real program argument when not empty
    std::vector<std::string> arguments;  ///< the command-line arguments after the program's name
    WriteFault writeFault = WriteFault::None;
    bool showMessages = false;  ///< show messages through the real services as well
    bool helpStarts = true;     ///< what OpenDocument and ShowHelpTopic answer
    bool socketsStart = true;   ///< what StartSockets answers
    int socketStarts = 0;       ///< StartSockets calls
    int socketStops = 0;        ///< StopSockets calls

    std::string ProgramArgument() override;
    std::vector<std::string> CommandArguments() override { return arguments; }
    /// WriteFails writes the first half of the text and reports failure; DiskFull writes nothing
    /// and reports failure; OpenFails makes nothing.
    WriteResult WriteTextFile(const std::string& path, const std::string& text) override;
    std::optional<int> RunCommand(const std::string& commandLine) override;
    void ShowMessage(const std::string& text) override;
    bool OpenDocument(const std::string& path) override;
    bool ShowHelpTopic(const std::string& path, unsigned long context) override;
    void CloseHelp(const std::string& path) override { help.push_back({"close", path, 0}); }
    bool StartSockets() override;
    void StopSockets() override { ++socketStops; }
};

/// The recording services as in a Shift-JIS code page: 0x81-0x9F and 0xE0-0xFC start a double-byte
/// character, whose trail byte may be 0x5C ("\") or 0x5E ("^").
class ShiftJisPlatform : public RecordingPlatform {
public:
    using RecordingPlatform::RecordingPlatform;
    bool IsLeadByte(unsigned char byte) override { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }
};
