// What the stub command records of each run, and reading those records back.
#pragma once

#include <string>
#include <vector>

/// What one run of the stub command saw.
struct StubRecord {
    std::string directory;               ///< its current directory, as the system spelt it, in UTF-8
    std::string commandLine;             ///< its whole command line as the system gave it (Windows only)
    std::string program;                 ///< argv[0]
    std::vector<std::string> arguments;  ///< argv[1..]
};

/// Every record the stub wrote into `directory` (record-0.txt, record-1.txt ...), in the order
/// the runs claimed their numbers; empty when there is none.
std::vector<StubRecord> ReadStubRecords(const std::string& directory);
