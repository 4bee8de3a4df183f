// The programs the driver starts, with a thread reading each of their pipes: Win32 calls only.
#include "tests/e2e/Processes.h"

#include "unicode/Wide.h"
#include "tests/support/Spawn.h"

#include <thread>

namespace e2e {

// One pipe from a started program: the driver's end is read to its end by a thread of its own, so
// the program never blocks on a full pipe.
struct Process::Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;  // the program's end, inherited
    std::string text;
    std::thread reader;

    Pipe()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        if (!CreatePipe(&read, &write, &inherit, 0))
            throw DriverError("cannot make a pipe");
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    }
    ~Pipe()
    {
        CloseWrite();
        if (reader.joinable())
            reader.join();
        CloseRead();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    void CloseWrite()
    {
        if (write)
            CloseHandle(write);
        write = nullptr;
    }
    void CloseRead()
    {
        if (read)
            CloseHandle(read);
        read = nullptr;
    }
    void StartReading()
    {
        if (!read)
            return;
        reader = std::thread([this] {
            std::string chunk(4096, '\0');
            DWORD got = 0;
            while (ReadFile(read, &chunk[0], static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0)
                text.append(chunk, 0, got);
        });
    }
    std::string Finish()
    {
        if (reader.joinable())
            reader.join();
        return text;
    }
};

Process::Process(const std::string& exePath, const std::string& workingDirectory,
                 const std::vector<std::string>& arguments, bool pipes, bool outputReaderGone)
{
    // A crash ends the program at once instead of waiting in a crash dialog; children inherit this.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    std::string commandLine = "\"" + exePath + "\"";
    for (const std::string& argument : arguments)
        commandLine += " " + QuotedArgument(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (pipes) {
        m_output = std::make_unique<Pipe>();
        m_errors = std::make_unique<Pipe>();
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = m_output->write;
        startup.hStdError = m_errors->write;
        if (outputReaderGone)
            m_output->CloseRead();
    }
    std::wstring wideLine = Wide(commandLine);
    if (!CreateProcessW(Wide(exePath).c_str(), &wideLine[0], nullptr, nullptr, pipes, 0, nullptr,
                        Wide(workingDirectory).c_str(), &startup, &m_info))
        throw DriverError("cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")");
    // Only the program holds the writing ends now: the pipes end when it does.
    for (Pipe* pipe : {m_output.get(), m_errors.get()}) {
        if (pipe) {
            pipe->CloseWrite();
            pipe->StartReading();
        }
    }
}

Process::~Process()
{
    Terminate();
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

std::string Process::Output()
{
    return m_output ? m_output->Finish() : std::string();
}

std::string Process::Errors()
{
    return m_errors ? m_errors->Finish() : std::string();
}

bool Process::Running() const
{
    return WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::WaitForExit(Milliseconds limit)
{
    if (WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        throw DriverError("timed out after " + std::to_string(limit.count()) + " ms waiting for the program to end");
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void Process::Terminate()
{
    if (Running()) {
        TerminateProcess(m_info.hProcess, 255);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

void SetEnvironment(const std::string& name, const std::string& value)
{
    SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

}  // namespace e2e
