// The recording and fault-injecting wrapper around the real platform services.
#include "tests/support/RecordingPlatform.h"

std::string RecordingPlatform::ProgramArgument()
{
    return programArgument.empty() ? Next().ProgramArgument() : programArgument;
}

WriteResult RecordingPlatform::WriteTextFile(const std::string& path, const std::string& text)
{
    switch (writeFault) {
    case WriteFault::None:
        return Next().WriteTextFile(path, text);
    case WriteFault::OpenFails:
        return WriteResult::OpenFailed;
    case WriteFault::WriteFails:
        Next().WriteTextFile(path, text.substr(0, text.size() / 2));
        return WriteResult::WriteFailed;
    case WriteFault::DiskFull:
        Next().WriteTextFile(path, std::string());
        return WriteResult::WriteFailed;
    }
    return WriteResult::WriteFailed;
}

void RecordingPlatform::ShowMessage(const std::string& text)
{
    messages.push_back(text);
    if (showMessages)
        Next().ShowMessage(text);
}

bool RecordingPlatform::OpenDocument(const std::string& path)
{
    help.push_back({"document", path, 0});
    return helpStarts;
}

bool RecordingPlatform::ShowHelpTopic(const std::string& path, unsigned long context)
{
    help.push_back({"topic", path, context});
    return helpStarts;
}

bool RecordingPlatform::StartSockets()
{
    ++socketStarts;
    return socketsStart;
}

std::optional<int> RecordingPlatform::RunCommand(const std::string& commandLine)
{
    commands.push_back(commandLine);
    return Next().RunCommand(commandLine);
}
