// The program's entry point: restricts the DLL search, then hands over to the application object.
#include "ui/framework/App.h"
#include "ui/framework/DllSearch.h"

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
    // Should the run-time end the program (an exception where none may pass), it ends with the exit
    // code of a failure, not with abort's, which would pass for another, and without abort's box.
    std::set_terminate([] { ExitProcess(kUnhandledFailureExitCode); });
    return RunApplication();
}
