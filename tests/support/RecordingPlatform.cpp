// The recording and fault-injecting wrapper around the real platform services.
#include "tests/support/RecordingPlatform.h"

#include <new>

std::string RecordingPlatform::ProgramArgument()
{
    return programArgument.empty() ? Next().ProgramArgument() : programArgument;
}

WriteResult RecordingPlatform::WriteTextFile(const std::string& path, const std::string& bytes)
{
    switch (writeFault) {
    case WriteFault::None:
        return Next().WriteTextFile(path, bytes);
    case WriteFault::OpenFails:
        return WriteResult::OpenFailed;
    case WriteFault::WriteFails:
        Next().WriteTextFile(path, bytes.substr(0, bytes.size() / 2));
        return WriteResult::WriteFailed;
    case WriteFault::DiskFull:
        Next().WriteTextFile(path, std::string());
        return WriteResult::WriteFailed;
    case WriteFault::FlushFails:
        Next().WriteTextFile(path, bytes);
        return WriteResult::WriteFailed;
    case WriteFault::Throws:
        throw std::bad_alloc();
    }
    return WriteResult::WriteFailed;
}

ReadResult RecordingPlatform::ReadTokens(const std::string& path, const std::function<void(const std::string&)>& sink)
{
    if (!readFailsHalfway)
        return Next().ReadTokens(path, sink);
    std::vector<std::string> tokens;
    const ReadResult read = Next().ReadTokens(path, [&tokens](const std::string& token) { tokens.push_back(token); });
    if (read != ReadResult::Read)
        return read;
    for (size_t i = 0; i < tokens.size() / 2; ++i)
        sink(tokens[i]);
    return ReadResult::ReadFailed;
}

bool RecordingPlatform::RemoveEntry(const std::string& path)
{
    return !removalsFail && Next().RemoveEntry(path);
}

std::shared_ptr<void> RecordingPlatform::HoldDirectory(const std::string& path)
{
    return holdsFail ? nullptr : Next().HoldDirectory(path);
}

FolderSafety RecordingPlatform::FolderSafetyOf(const std::string& path)
{
    return foldersOpen ? FolderSafety::OthersMayChange : Next().FolderSafetyOf(path);
}

AppendResult RecordingPlatform::AppendToFile(const std::string& path, const std::string& bytes)
{
    return appendFault == AppendResult::Appended ? Next().AppendToFile(path, bytes) : appendFault;
}

void RecordingPlatform::ShowMessage(const std::string& text)
{
    messages.push_back(text);
    if (showMessages)
        Next().ShowMessage(text);
}

bool RecordingPlatform::Help(const ::HelpRequest& request)
{
    static const char* const kKinds[] = {"document", "topic", "close"};
    help.push_back({kKinds[static_cast<int>(request.kind)], request.path, request.context});
    return request.kind == ::HelpRequest::Kind::Close || helpStarts;
}

std::shared_ptr<void> RecordingPlatform::StartSockets()
{
    ++socketStarts;
    if (!socketsStart)
        return nullptr;
    return std::shared_ptr<void>(this, [](void* self) { ++static_cast<RecordingPlatform*>(self)->socketStops; });
}

std::optional<int> RecordingPlatform::RunCommand(const CommandRun& run)
{
    commands.push_back(run.line);
    directories.push_back(run.directory);
    return Next().RunCommand(run);
}
