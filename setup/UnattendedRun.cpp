// The unattended run: an install, upgrade or listing without the dialogs, with exit codes and a log.
#include "setup/UnattendedRun.h"

#include "platform/CodePage.h"
#include "platform/Format.h"
#include "platform/PlatformServices.h"
#include "setup/DeviceTypes.h"
#include "setup/Install.h"
#include "setup/Messages.h"
#include "setup/SetupLog.h"
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"

namespace {

using Strings = std::vector<std::string>;

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
    // The type, and so the name prefix, as the install resolves it among the offered ones. Input
    // the install refuses made no system, whatever the store holds: it is refused as ever.
    const Strings offered = OfferedDeviceTypes(logged, ProgramDirectory(logged));
    const CheckedInput input = CheckInstallInput(codePage, callLetters, systemType, offered);
    const Strings installed = SortedAsListed(codePage, ListInstalledSystems(logged, kBaseDirectory));
    const std::string* const found =
        input.refusal.empty() ? FindRegistered(codePage, installed, callLetters, input.type, offered) : nullptr;
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
