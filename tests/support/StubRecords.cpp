// Reading the stub command's records: one file per run, the directory, the whole command line,
// argv[0], then each argument.
#include "tests/support/StubRecords.h"

#include <fstream>

std::vector<StubRecord> ReadStubRecords(const std::string& directory)
{
    std::vector<StubRecord> records;
    for (int n = 0;; ++n) {
        std::ifstream in(directory + "/record-" + std::to_string(n) + ".txt", std::ios::binary);
        if (!in)
            return records;
        StubRecord record;
        std::getline(in, record.directory);
        std::getline(in, record.commandLine);
        std::getline(in, record.program);
        for (std::string line; std::getline(in, line);)
            record.arguments.push_back(line);
        records.push_back(record);
    }
}
