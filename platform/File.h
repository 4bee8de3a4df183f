// A C run-time file that closes itself.
#pragma once

#include <cstdio>
#include <string>

/// One open C run-time file, owned: it is closed when the object goes away, or earlier by Close.
class File {
public:
    /// Opens `path` with `mode` as fopen does; test the object to see whether it opened.
    File(const std::string& path, const char* mode) : m_file(std::fopen(path.c_str(), mode)) {}
    /// Takes `file` over (null: none opened).
    explicit File(std::FILE* file) : m_file(file) {}
    ~File()
    {
        if (m_file)
            std::fclose(m_file);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    explicit operator bool() const { return m_file != nullptr; }
    std::FILE* Get() const { return m_file; }

    /// Closes the file now; false when it was not open or its buffered data could not be written.
    bool Close()
    {
        std::FILE* file = m_file;
        m_file = nullptr;
        return file && std::fclose(file) == 0;
    }

private:
    std::FILE* m_file;
};
