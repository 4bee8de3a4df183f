// The program's own arguments: what they ask of it.
#include "setup/ProgramArguments.h"

#include "platform/Format.h"
#include "setup/Messages.h"

#include <algorithm>

namespace {

// The option a word names, lower-cased, or "" when it is no option.
std::string OptionName(const std::string& word)
{
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return std::string();
    std::string name = word.substr(1);
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return name;
}

// True when `word` is one of the program's own options: never an operand, so that a missing
// operand can't swallow the next option (no call letters, type or name can hold "/").
bool IsOwnOption(const std::string& word)
{
    const std::string name = OptionName(word);
    for (const char* own : {"install", "upgrade", "list", "?", "quiet", "log", "once"}) {
        if (name == own)
            return true;
    }
    return false;
}

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& arguments)
{
    Invocation invocation;
    // A mistake in an unattended run must show no window either, wherever its /quiet stands.
    const bool anyQuiet = std::any_of(arguments.begin(), arguments.end(),
                                      [](const std::string& word) { return OptionName(word) == "quiet"; });
    // Nor may a mistake go unlogged because it stands before the /log.
    std::string anyLog;
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (OptionName(arguments[i]) == "log" && !IsOwnOption(arguments[i + 1])) {
            anyLog = arguments[i + 1];
            break;
        }
    }
    const auto mistake = [&invocation, anyQuiet, anyLog](const std::string& what) {
        invocation.action = Invocation::Action::Mistake;
        invocation.quiet = anyQuiet;
        invocation.logPath = anyLog;
        invocation.mistake = what;
        return invocation;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const std::string name = OptionName(word);
        size_t operands = 0;
        Invocation::Action action = Invocation::Action::Dialogs;
        if (name == "install") {
            action = Invocation::Action::Install;
            operands = 2;
        } else if (name == "upgrade") {
            action = Invocation::Action::Upgrade;
            operands = 1;
        } else if (name == "list") {
            action = Invocation::Action::List;
        } else if (name == "?") {
            action = Invocation::Action::Help;
        } else if (name == "quiet") {
            invocation.quiet = true;
            continue;
        } else if (name == "once") {
            invocation.once = true;
            continue;
        } else if (name == "log") {
            if (i + 1 >= arguments.size() || IsOwnOption(arguments[i + 1]) || arguments[i + 1].empty())
                return mistake(Format(msg::kMissingArgument, word.c_str(), "a file"));
            invocation.logPath = arguments[++i];
            continue;
        } else {
            return mistake(Format(msg::kUnknownArgument, word.c_str()));
        }
        if (invocation.action != Invocation::Action::Dialogs)
            return mistake(msg::kOneAction);
        const auto firstOption = std::find_if(arguments.begin() + static_cast<std::ptrdiff_t>(i + 1), arguments.end(),
                                              IsOwnOption);
        if (i + operands >= static_cast<size_t>(firstOption - arguments.begin()))
            return mistake(Format(msg::kMissingArgument, word.c_str(),
                                  operands == 2 ? "call letters and a system type" : "a system name"));
        invocation.action = action;
        invocation.operands.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                   arguments.begin() + static_cast<std::ptrdiff_t>(i + 1 + operands));
        i += operands;
    }
    if (invocation.quiet && !SetsUp(invocation.action))
        return mistake(msg::kQuietAlone);
    if (invocation.once && invocation.action != Invocation::Action::Install)
        return mistake(msg::kOnceAlone);
    if (invocation.action == Invocation::Action::Help && !invocation.logPath.empty())
        return mistake(msg::kOneAction);
    return invocation;
}

bool NeedsSockets(Invocation::Action action)
{
    return action != Invocation::Action::Mistake && action != Invocation::Action::Help;
}

bool SetsUp(Invocation::Action action)
{
    return action == Invocation::Action::Install || action == Invocation::Action::Upgrade;
}

