// The program's entry point: restricts the DLL search, then hands over to the application object.
#include "ui/framework/App.h"
#include "ui/framework/DllSearch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
    return RunApplication();
}
