// The application object: Win32 calls only.
#include "ui/framework/App.h"

#include "ui/framework/Wnd.h"
#include "unicode/Wide.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* GetApplication()
{
    return g_app;
}

HWND MainWindowHandle()
{
    return g_app && g_app->m_pMainWnd ? g_app->m_pMainWnd->m_hWnd : nullptr;
}

int RunApplication()
{
    CWinApp* app = GetApplication();
    if (!app)
        return 0;
    // The start-up routine runs the whole program modally and reports false, so no message loop
    // follows it. A failure the application did not handle itself must not end the program as the
    // run-time's abort, whose exit code and box would pass for something else.
    try {
        app->InitInstance();
        return app->ExitInstance();
    } catch (...) {
        return kUnhandledFailureExitCode;
    }
}

std::string CWinApp::LoadText(UINT id)
{
    // With a zero length LoadStringW hands out a pointer to the resource text itself (not
    // terminated) and returns its length, so a text of any length is converted whole.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    return Narrow(text, static_cast<size_t>(length));
}
