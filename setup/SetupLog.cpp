// The log of one run, written through the platform services.
#include "setup/SetupLog.h"

#include "platform/Format.h"

#include <chrono>

LoggingPlatform::LoggingPlatform(PlatformServices& next, std::string logPath, bool quiet)
    : ForwardingPlatform(next), m_next(next), m_logPath(std::move(logPath)), m_quiet(quiet)
{
}

bool LoggingPlatform::Note(const std::string& text)
{
    if (m_logPath.empty())
        return true;
    // One event, one line, whatever the text holds.
    std::string line = m_next.LocalTime() + Format(" [%lu] ", m_next.ProcessId()) + text;
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return m_next.AppendToFile(m_logPath, line + "\r\n");
}

MakeDirResult LoggingPlatform::MakeDirectory(const std::string& path)
{
    const MakeDirResult result = m_next.MakeDirectory(path);
    if (result == MakeDirResult::Created)
        Note("made directory " + path);
    return result;
}

bool LoggingPlatform::ClaimDirectory(const std::string& path)
{
    const bool claimed = m_next.ClaimDirectory(path);
    if (claimed)
        Note("claimed directory " + path);
    return claimed;
}

bool LoggingPlatform::RemoveEmptyDirectory(const std::string& path)
{
    const bool removed = m_next.RemoveEmptyDirectory(path);
    if (removed)
        Note("removed directory " + path);
    return removed;
}

bool LoggingPlatform::RemoveFile(const std::string& path)
{
    const bool removed = m_next.RemoveFile(path);
    if (removed)
        Note("removed file " + path);
    return removed;
}

WriteResult LoggingPlatform::WriteTextFile(const std::string& path, const std::string& text)
{
    const WriteResult result = m_next.WriteTextFile(path, text);
    if (result == WriteResult::Written)
        Note("wrote file " + path);
    return result;
}

int LoggingPlatform::RunCommand(const std::string& commandLine)
{
    Note("running " + commandLine + " in " + m_next.CurrentDirectory());
    const auto start = std::chrono::steady_clock::now();
    const int status = m_next.RunCommand(commandLine);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    Note(status == -1 ? Format("the command interpreter could not be started for %s", commandLine.c_str())
                      : Format("%s ended with exit status %d after %.3f s", commandLine.c_str(), status, took.count()));
    return status;
}

void LoggingPlatform::ShowMessage(const std::string& text)
{
    if (!m_quiet) {
        Note("message: " + text);
        m_next.ShowMessage(text);
        return;
    }
    Note("message, not shown (quiet): " + text);
    m_next.WriteStandard(StandardStream::Error, text + "\r\n");
}
