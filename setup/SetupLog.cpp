// The log of one run, written through the platform services.
#include "setup/SetupLog.h"

#include "platform/Clock.h"
#include "platform/Format.h"
#include "setup/Messages.h"
#include "setup/SystemStore.h"
#include "setup/SetupResult.h"

#include <chrono>

LoggingPlatform::LoggingPlatform(PlatformServices& next, std::string logPath, bool quiet)
    : ForwardingPlatform(next), m_logPath(std::move(logPath)), m_quiet(quiet)
{
}

AppendResult LoggingPlatform::Note(const std::string& text)
{
    if (m_logPath.empty())
        return AppendResult::Appended;
    // A log whose lock another keeps is waited for once a run, not once a line.
    if (m_stalled)
        return AppendResult::NotAppended;
    // One event, one line, whatever the text holds.
    std::string event = text;
    for (char& c : event) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const AppendResult result =
        Next().AppendToFile(m_logPath, LocalTime() + Format(" [%lu] ", ProcessId()) + event + "\r\n");
    m_stalled = result == AppendResult::NotAppended;
    // A log that never opened is the caller's to tell: the run doesn't start with it.
    if (result == AppendResult::Appended)
        m_taken = true;
    else if (m_taken || result != AppendResult::OpenFailed)
        SayLinesLost(event);
    return result;
}

void LoggingPlatform::SayLinesLost(const std::string& text)
{
    if (m_lossSaid)
        return;
    m_lossSaid = true;
    // Straight to the services below: saying it through this log would lose it the same way.
    const std::string said = Format(msg::kLogLineLost, m_logPath.c_str(), text.c_str());
    if (Next().WriteStandard(StandardStream::Error, said + "\r\n") == StreamWrite::NoStream)
        Next().ShowMessage(said);
}

bool LoggingPlatform::NotedIf(bool done, const std::string& text)
{
    if (done)
        Note(text);
    return done;
}

MakeDirResult LoggingPlatform::MakeDirectory(const std::string& path)
{
    const MakeDirResult result = Next().MakeDirectory(path);
    NotedIf(result == MakeDirResult::Created, "made directory " + path);
    return result;
}

bool LoggingPlatform::ClaimDirectory(const std::string& path)
{
    return NotedIf(Next().ClaimDirectory(path), "claimed directory " + path);
}

FolderSafety LoggingPlatform::FolderSafetyOf(const std::string& path)
{
    const FolderSafety safety = Next().FolderSafetyOf(path);
    const std::string folder = path.empty() ? Next().CurrentDirectory() : path;
    if (safety == FolderSafety::OthersMayChange && m_openFolders.insert(folder).second) {
        const CodePage& codePage = Next().TextCodePage();
        const bool store = codePage.LowerCase(folder) == codePage.LowerCase(kBaseDirectory);
        Note(store ? Format(msg::kStoreOpenToOthers, folder.c_str(), folder.c_str())
                   : Format(msg::kProgramFolderOpenToOthers, folder.c_str()));
    }
    return safety;
}

bool LoggingPlatform::RemoveEntry(const std::string& path)
{
    const char* what = Next().PathType(path) == PathKind::Directory ? "removed directory " : "removed file ";
    return NotedIf(Next().RemoveEntry(path), what + path);
}

WriteResult LoggingPlatform::WriteTextFile(const std::string& path, const std::string& bytes)
{
    const WriteResult result = Next().WriteTextFile(path, bytes);
    NotedIf(result == WriteResult::Written, "wrote file " + path);
    return result;
}

std::optional<int> LoggingPlatform::RunCommand(const CommandRun& run)
{
    const std::string& commandLine = run.line;
    Note("running " + commandLine + " in " + (run.directory.empty() ? Next().CurrentDirectory() : run.directory));
    CommandRun logged = run;
    // Said at once: the program may be ended as soon as the system has its answer.
    logged.onSession = [this, &commandLine](SessionEvent event) {
        switch (event) {
        case SessionEvent::HeldUp:
            Note("the session asked to end while " + commandLine + " runs: held up until it ends");
            break;
        case SessionEvent::Ending:
            Note("the session is ending while " + commandLine + " runs and can't be held up");
            break;
        case SessionEvent::Ends:
            Note("the session ends while " + commandLine + " runs: Corvane and the command end with it");
            break;
        case SessionEvent::GoesOn:
            Note("the session goes on: its end was called off");
            break;
        }
    };
    const auto start = std::chrono::steady_clock::now();
    const std::optional<int> status = Next().RunCommand(logged);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!status) {
        Note(Format("the command interpreter could not be started for %s", commandLine.c_str()));
        return status;
    }
    // Windows' own statuses (0xC0000005 ...) are known by their hex form.
    const auto bits = static_cast<unsigned int>(*status);
    const std::string shown = bits >= 0x80000000u ? Format("%d (0x%08X)", *status, bits) : Format("%d", *status);
    // A restart status is a success: said here, so that a reader doesn't take it for a failure.
    const char* meaning = *status == kStatusRestartNeeded    ? ": done, Windows must restart to finish it"
                          : *status == kStatusRestartStarted ? ": done, and it has started Windows' restart"
                                                             : "";
    Note(Format("%s ended with exit status %s after %.3f s%s", commandLine.c_str(), shown.c_str(), took.count(),
                meaning));
    return status;
}

void LoggingPlatform::ShowMessage(const std::string& text)
{
    Note((m_quiet ? "message, not shown (quiet): " : "message: ") + text);
    Next().ShowMessage(text);
}
