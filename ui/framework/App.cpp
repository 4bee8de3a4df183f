// The application object and the help command: Win32 calls only.
#include "ui/framework/App.h"

#include "ui/framework/Dialog.h"

namespace {

CWinApp* g_app = nullptr;

const char kHelpFailed[] = "Failed to launch help.";

// Help context numbers of dialog templates start here.
const ULONG_PTR kDialogHelpBase = 0x20000;

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

int RunApplication()
{
    CWinApp* app = GetApplication();
    if (!app)
        return 0;
    // The start-up routine runs the whole program modally and reports false, so no message loop
    // follows it.
    app->InitInstance();
    return app->ExitInstance();
}

std::string CWinApp::HelpFilePath()
{
    std::string path = Os().ProgramArgument();
    const size_t name = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && (name == std::string::npos || dot > name))
        path.resize(dot);
    return path + ".HLP";
}

bool CWinApp::WinHelp(HWND fallback, UINT command, ULONG_PTR data)
{
    HWND owner = m_pMainWnd && m_pMainWnd->m_hWnd ? m_pMainWnd->m_hWnd : fallback;
    return m_helpViewer(owner, HelpFilePath().c_str(), command, data) != FALSE;
}

void CWinApp::OnHelp(const CDialog& dialog)
{
    if (!WinHelp(dialog.m_hWnd, HELP_CONTEXT, kDialogHelpBase + dialog.TemplateId()))
        Os().ShowMessage(kHelpFailed);
}

void CWinApp::DialogOpened(const CDialog& dialog)
{
    if (&dialog == m_pMainWnd)
        m_platform.SetMainWindow(dialog.m_hWnd);
}

void CWinApp::DialogClosing(const CDialog& dialog)
{
    if (&dialog == m_pMainWnd)
        m_platform.SetMainWindow(nullptr);
}

std::string CWinApp::LoadString(UINT id)
{
    // With a zero length LoadStringW hands out a pointer to the resource text itself (not
    // terminated) and returns its length, so a text of any length is converted whole.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string converted(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &converted[0], size, nullptr, nullptr);
    return converted;
}
