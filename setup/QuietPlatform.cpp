// A quiet run's services: messages to standard error, commands without a window.
#include "setup/QuietPlatform.h"

std::optional<int> QuietPlatform::RunCommand(const CommandRun& run)
{
    // Not even the interpreter's console: nobody may be there to see it, or to close it.
    CommandRun unseen = run;
    unseen.withoutWindow = true;
    return Next().RunCommand(unseen);
}

void QuietPlatform::ShowMessage(const std::string& text)
{
    Next().WriteStandard(StandardStream::Error, text + "\r\n");
}
