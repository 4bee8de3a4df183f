// The run command's tour: starts corvane.exe from a program directory, goes through one install and
// one upgrade as an operator would, and saves a picture of every dialog on the way.
//
//     corvane_tour <program directory> <picture directory>
//
// The pictures are 24-bit BMP files named after the dialog (choice.bmp, install.bmp, about.bmp,
// install-command.bmp, complete.bmp, upgrade.bmp, upgrade-command.bmp); each path is printed.
// The program directory must hold the demo commands for LT. Exit code 0 when the whole tour went
// through, 1 (with the reason) when a dialog did not come or did not answer in time.
#include "tests/e2e/Driver.h"
#include "tests/e2e/Session.h"

#include <cstdio>
#include <string>
#include <thread>

using namespace e2e;

namespace {

// Gives a window time to paint, then saves its rectangle of the screen.
void Snap(HWND window, const std::string& directory, const std::string& name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    std::this_thread::sleep_for(Milliseconds(700));
    const std::string path = directory + "\\" + name + ".bmp";
    SaveBitmap(CaptureScreen(WindowRect(window)), path);
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
}

// Waits for a demo command's window, saves it, and closes it so the command ends.
void CommandPicture(const std::string& caption, const std::string& directory, const std::string& name)
{
    HWND box = WaitForWindow(0, "#32770", caption, Milliseconds(30000));
    Snap(box, directory, name);
    Post(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntilGone(box, caption);
}

// Presses OK on the completion dialog and waits until it and `dialog` have closed.
void Finish(DWORD program, HWND dialog, const std::string& directory, bool picture)
{
    HWND done = WaitForWindow(program, "#32770", kCompleteCaption);
    if (picture)
        Snap(done, directory, "complete");
    Press(done, IDOK);
    WaitUntilGone(done, "the completion dialog");
    WaitUntilGone(dialog, "the dialog that ran the command");
}

void Tour(const std::string& programDirectory, const std::string& pictures)
{
    Process program(programDirectory + "\\corvane.exe", "C:\\");
    const DWORD id = program.Id();

    HWND choice = WaitForWindow(id, "#32770", kChoiceCaption);
    Snap(choice, pictures, "choice");

    Press(choice, IDOK);
    HWND install = WaitForWindow(id, "#32770", kInstallCaption);
    SetText(install, kCallLetters, "WXYZ");
    Select(Control(install, kSystemType), "LT");
    Snap(install, pictures, "install");

    Post(install, WM_SYSCOMMAND, 16, 0);
    HWND about = WaitForWindow(id, "#32770", "About Corvane");
    Snap(about, pictures, "about");
    Press(about, IDOK);
    WaitUntilGone(about, "the About box");

    Press(install, IDOK);
    CommandPicture("KELSETUP-LT", pictures, "install-command");
    Finish(id, install, pictures, true);

    Click(choice, 1013);
    Press(choice, IDOK);
    HWND upgrade = WaitForWindow(id, "#32770", kUpgradeCaption);
    // Pick the newest system of the station just installed.
    HWND systems = Control(upgrade, 1016);
    std::string newest;
    for (const std::string& name : ListEntries(systems)) {
        if (name.compare(0, 7, "wxyz-lt") == 0)
            newest = name;
    }
    if (newest.empty())
        throw DriverError("the upgrade dialog does not list the system just installed");
    Select(systems, newest);
    Snap(upgrade, pictures, "upgrade");

    Press(upgrade, IDOK);
    CommandPicture("lt-UPGRADE", pictures, "upgrade-command");
    Finish(id, upgrade, pictures, false);

    Press(choice, IDCANCEL);
    const DWORD code = program.WaitForExit();
    if (code != 0)
        throw DriverError("the program ended with exit code " + std::to_string(code));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane_tour <program directory> <picture directory>\n");
        return 2;
    }
    try {
        Tour(argv[1], argv[2]);
    } catch (const DriverError& error) {
        std::fprintf(stderr, "tour stopped: %s\n", error.what());
        return 1;
    }
    return 0;
}
