// Concurrent child processes for the tests: _spawnv on Windows, fork and exec elsewhere.
#include "tests/support/Spawn.h"

#include <cstdint>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

std::string QuotedArgument(const std::string& word)
{
    if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos)
        return word;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    return quoted.append(backslashes * 2, '\\') + "\"";
}

std::vector<int> RunConcurrently(const std::vector<std::vector<std::string>>& commands)
{
    std::vector<intptr_t> children;
    for (const std::vector<std::string>& command : commands) {
        std::vector<std::string> words;
        for (const std::string& word : command) {
#ifdef _WIN32
            // _spawnv joins the arguments into one line as they are.
            words.push_back(QuotedArgument(word));
#else
            words.push_back(word);
#endif
        }
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(&word[0]);
        argv.push_back(nullptr);
#ifdef _WIN32
        children.push_back(_spawnv(_P_NOWAIT, command[0].c_str(), argv.data()));
#else
        const pid_t child = fork();
        if (child == 0) {
            execv(command[0].c_str(), argv.data());
            _exit(127);
        }
        children.push_back(child);
#endif
    }
    std::vector<int> statuses;
    for (intptr_t child : children) {
        int status = -1;
        if (child > 0) {
#ifdef _WIN32
            if (_cwait(&status, child, 0) == -1)
                status = -1;
#else
            int raw = 0;
            if (waitpid(static_cast<pid_t>(child), &raw, 0) == child && WIFEXITED(raw))
                status = WEXITSTATUS(raw);
#endif
        }
        statuses.push_back(status);
    }
    return statuses;
}
