// Command-line splitting by the Windows C run-time's rules; portable, no system calls.
#include "platform/ArgumentWords.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitArguments(const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    const size_t n = line.size();
    if (n == 0)
        return words;

    // The program name takes no backslash escapes: a path like "C:\dir\" must survive.
    std::string program;
    if (i < n && line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"')
            program += line[i++];
        if (i < n)
            ++i;
    } else {
        while (i < n && !IsBlank(line[i]))
            program += line[i++];
    }
    words.push_back(program);

    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        std::string word;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            if (line[i] == '\\') {
                size_t backslashes = 0;
                while (i < n && line[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    word.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        word += '"';
                        ++i;
                    }
                } else {
                    word.append(backslashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                word += line[i++];
            }
        }
        words.push_back(word);
    }
    return words;
}
