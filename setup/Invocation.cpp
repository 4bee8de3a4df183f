// The command line: reading it, and running an install, upgrade or listing without the dialogs.
#include "setup/Invocation.h"

#include "platform/CodePage.h"
#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/CommandLine.h"
#include "setup/DeviceTypes.h"
#include "setup/Install.h"
#include "setup/Messages.h"
#include "setup/SetupLog.h"
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"

#include <algorithm>
#include <cctype>

namespace {

using Strings = std::vector<std::string>;

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

bool IsSlash(char c)
{
    return c == '\\' || c == '/';
}

// True when `path` names a file without regard to the current directory: "C:\..." or "\\server\...".
bool IsFullPath(const std::string& path)
{
    return (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) ||
           (path.size() >= 3 && path[1] == ':' && IsSlash(path[2]));
}

// The drive (C:) or the share (\\server\share) a full path starts with; "" for neither.
std::string Root(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.size() < 2 || !IsSlash(path[0]) || !IsSlash(path[1]))
        return std::string();
    const size_t server = path.find_first_of("\\/", 2);
    const size_t share = server == std::string::npos ? server : path.find_first_of("\\/", server + 1);
    return path.substr(0, share);
}

std::string Joined(const Strings& words, const char* separator)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : separator) + word;
    return text;
}

// Writes `text` to `stream`, or shows it in a message box when the program has no such stream.
// Done, or OutputNotWritten (logged, and no box: whoever reads the output is a program, and
// nobody may be there to click) when the stream is there but can't be written.
ExitCode Tell(LoggingPlatform& logged, StandardStream stream, const std::string& text, const std::string& boxText,
              const char* failure)
{
    switch (logged.WriteStandard(stream, text)) {
    case StreamWrite::Written:
        return ExitCode::Done;
    case StreamWrite::NoStream:
        logged.ShowMessage(boxText);
        return ExitCode::Done;
    case StreamWrite::Failed:
        break;
    }
    logged.Note(failure);
    return ExitCode::OutputNotWritten;
}

// The names the upgrade dialog lists, in its order, a line each, to standard output (or, without
// one, in a message box).
ExitCode List(LoggingPlatform& logged)
{
    const Strings names = SortedAsListed(logged.TextCodePage(), ListInstalledSystems(logged, kBaseDirectory));
    std::string text;
    for (const std::string& name : names)
        text += name + "\r\n";
    return Tell(logged, StandardStream::Output, text, names.empty() ? std::string(msg::kNothingToUpdate) : text,
                msg::kListNotWritten);
}

// An install with /once: nothing when a system of these call letters and this type is there, its
// name on standard output instead (or, without one, in a message box); else the install.
ExitCode InstallOnce(LoggingPlatform& logged, const std::string& callLetters, const std::string& systemType)
{
    const CodePage& codePage = logged.TextCodePage();
    // The type, and so the name prefix, as the install resolves it among the offered ones.
    const Strings offered = OfferedDeviceTypes(logged, ProgramDirectory(logged));
    const std::string* const type = FindName(codePage, offered, systemType);
    // Input the install refuses made no system, whatever the store holds: it is refused as ever.
    const bool installable = type && !callLetters.empty() && !HasUnsafeCharacter(callLetters) &&
                             !HasUnsafeCharacter(*type) && codePage.Encode(callLetters) && codePage.Encode(*type);
    const Strings installed = SortedAsListed(codePage, ListInstalledSystems(logged, kBaseDirectory));
    const std::string* const found =
        installable ? FindRegistered(codePage, installed, callLetters, *type, offered) : nullptr;
    if (!found)
        return ExitCodeOf(InstallSystem(logged, callLetters, systemType, offered));
    logged.Note(Format(msg::kAlreadyRegistered, found->c_str()));
    // The exit code says it all to a tool; a name it can't be given is only logged.
    Tell(logged, StandardStream::Output, *found + "\r\n", Format(msg::kAlreadyRegistered, found->c_str()),
         "the name of the system registered already could not be written to standard output");
    return ExitCode::AlreadyRegistered;
}

// The usage on the stream it belongs to, or in a message box when the program has none.
ExitCode ShowUsage(LoggingPlatform& logged, StandardStream stream, const std::string& text)
{
    return Tell(logged, stream, text, text, "the usage could not be written");
}

// A word as the log shows it among the arguments: quoted when it holds a blank or is empty.
std::string Shown(const std::string& word)
{
    return word.empty() || word.find_first_of(" \t") != std::string::npos ? "\"" + word + "\"" : word;
}

}  // namespace

// `path` made full against `current` (a full directory path), as Windows would make it then.
std::string FullPath(const std::string& path, std::string current)
{
    if (path.empty() || IsFullPath(path))
        return path;
    if (IsSlash(path[0]))  // the root of the current drive, or of the share
        return Root(current) + path;
    std::string rest = path;
    if (path.size() >= 2 && path[1] == ':') {  // "D:file": relative on that drive
        rest = path.substr(2);
        if (current.size() < 2 || current[1] != ':' || std::toupper(static_cast<unsigned char>(current[0])) !=
                                                            std::toupper(static_cast<unsigned char>(path[0])))
            current = path.substr(0, 2);
    }
    if (!current.empty() && !IsSlash(current.back()))
        current += '\\';
    return current + rest;
}

ExitCode ExitCodeOf(SetupResult result)
{
    switch (result) {
    case SetupResult::Done:
        return ExitCode::Done;
    case SetupResult::Refused:
        return ExitCode::Refused;
    case SetupResult::NotRegistered:
        return ExitCode::NotRegistered;
    case SetupResult::CommandFailed:
        return ExitCode::CommandFailed;
    case SetupResult::RestartNeeded:
        return ExitCode::RestartNeeded;
    case SetupResult::RestartStarted:
        return ExitCode::RestartStarted;
    }
    return ExitCode::CommandFailed;
}

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

bool NoteRunStart(LoggingPlatform& logged, const std::string& version, const Strings& arguments,
                  const std::string& logPath)
{
    Strings shown;
    for (const std::string& word : arguments)
        shown.push_back(Shown(word));
    // A log held by another for too long is no reason not to run: the line's loss is said.
    if (logged.Note("Corvane " + version + " started with arguments: " + Joined(shown, " ")) != AppendResult::OpenFailed)
        return true;
    ShowUsage(logged, StandardStream::Error, Format(msg::kLogNotOpened, logPath.c_str()) + "\r\n");
    return false;
}

ExitCode RunUnattended(LoggingPlatform& logged, const Invocation& invocation)
{
    switch (invocation.action) {
    case Invocation::Action::Mistake:
        logged.Note("mistake on the command line: " + invocation.mistake);
        ShowUsage(logged, StandardStream::Error, invocation.mistake + "\r\n" + msg::kUsage);
        return ExitCode::Usage;
    case Invocation::Action::Help:
        return ShowUsage(logged, StandardStream::Output, msg::kUsage);
    case Invocation::Action::Install:
        if (invocation.once)
            return InstallOnce(logged, invocation.operands.at(0), invocation.operands.at(1));
        return ExitCodeOf(InstallSystem(logged, invocation.operands.at(0), invocation.operands.at(1)));
    case Invocation::Action::Upgrade:
        return ExitCodeOf(UpgradeSystem(logged, invocation.operands.at(0)));
    case Invocation::Action::List:
        return List(logged);
    case Invocation::Action::Dialogs:
        break;
    }
    return ExitCode::Done;
}

void NoteExitCode(LoggingPlatform& logged, ExitCode code)
{
    logged.Note(Format("exit code %d", static_cast<int>(code)));
}
