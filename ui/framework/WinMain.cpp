// The program's entry point: hands over to the application object.
#include "ui/framework/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunApplication();
}
