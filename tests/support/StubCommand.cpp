// A stand-in for an external setup command: records where it ran and what it got, then exits with
// the status CORVANE_STUB_EXIT names.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

int main(int argc, char** argv)
{
    std::string record = std::filesystem::current_path().string() + "\n";
    for (int i = 0; i < argc; ++i)
        record += std::string(argv[i]) + "\n";

    if (const char* directory = std::getenv("CORVANE_STUB_RECORDS")) {
        // Several stubs may run at once: each claims the next free record number exclusively.
        for (int n = 0;; ++n) {
            const std::string path = std::string(directory) + "/record-" + std::to_string(n) + ".txt";
            const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_BINARY, 0644);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue;
                std::perror(path.c_str());
                return 120;
            }
            const bool written = write(fd, record.data(), static_cast<unsigned>(record.size())) ==
                                 static_cast<int>(record.size());
            close(fd);
            if (!written)
                return 121;
            break;
        }
    }
    const char* status = std::getenv("CORVANE_STUB_EXIT");
    return status ? std::atoi(status) : 0;
}
