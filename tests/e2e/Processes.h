// The programs the driver starts: their command line, environment, output pipes and end.
#pragma once

#include "tests/e2e/Waiting.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

/// One started program. The destructor terminates it when it still runs, so a test that fails
/// half-way never leaves it behind.
class Process {
public:
    /// Starts `exePath` with its quoted path and `arguments` (each quoted by the C run-time's rules
    /// where needed) as its command line, in `workingDirectory`, with the driver's environment.
    /// With `pipes`, its standard output and error are pipes that the driver reads; with
    /// `outputReaderGone` too, nobody reads its standard output any more, as when the reader of a
    /// pipe ended first. Paths and arguments are UTF-8. Throws DriverError when it can't be started.
    Process(const std::string& exePath, const std::string& workingDirectory,
            const std::vector<std::string>& arguments = {}, bool pipes = false, bool outputReaderGone = false);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const;
    /// Waits for the program to end and returns its exit code; throws DriverError on a timeout.
    DWORD WaitForExit(Milliseconds limit = kPatience);
    /// Ends the program at once (nothing when it has ended already).
    void Terminate();
    /// Everything the program wrote to its standard output or error pipe; complete once it ended.
    std::string Output();
    std::string Errors();

private:
    struct Pipe;
    PROCESS_INFORMATION m_info{};
    std::unique_ptr<Pipe> m_output;
    std::unique_ptr<Pipe> m_errors;
};

/// Sets or replaces one variable of the driver's environment, which started programs inherit; an
/// empty value removes it.
void SetEnvironment(const std::string& name, const std::string& value);

}  // namespace e2e
