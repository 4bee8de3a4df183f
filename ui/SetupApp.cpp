// The application object's start-up routine and the setup operations it carries.
#include "ui/SetupApp.h"

#include "setup/Install.h"
#include "setup/Upgrade.h"
#include "ui/SetupChoiceDlg.h"
#include "ui/resource.h"

CSetupApp& GetSetupApp()
{
    return static_cast<CSetupApp&>(*GetApplication());
}

bool CSetupApp::StartSockets()
{
    WSADATA data;
    // A failed start-up has nothing to release; a start-up that granted another version has.
    if (m_sockets.startup(MAKEWORD(1, 1), &data) != 0)
        return false;
    if (data.wVersion != MAKEWORD(1, 1)) {
        m_sockets.cleanup();
        return false;
    }
    m_socketsStarted = true;
    return true;
}

BOOL CSetupApp::InitInstance()
{
    if (!StartSockets()) {
        // No window exists yet, so the message has no owner.
        Os().ShowMessage(LoadString(IDP_SOCKETS_INIT_FAILED));
        return FALSE;
    }
    EnableControlContainer();
    Enable3dControls();
    // While a setup command runs the dialogs don't answer; a ghost window in their place would
    // offer the operator to kill the launcher halfway through an install.
    DisableProcessWindowsGhosting();

    CSetupChoiceDlg choice;
    m_pMainWnd = &choice;
    choice.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CSetupApp::ExitInstance()
{
    if (m_socketsStarted) {
        m_sockets.cleanup();
        m_socketsStarted = false;
    }
    return 0;
}

bool CSetupApp::InstallSystem(const std::string& callLetters, const std::string& systemType)
{
    return ::InstallSystem(Os(), callLetters, systemType);
}

bool CSetupApp::UpgradeSystem(const std::string& systemName, const std::string& systemType)
{
    return ::UpgradeSystem(Os(), systemName, systemType);
}

HICON LoadApplicationIcon(bool big)
{
    const int width = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    const int height = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, width, height, LR_SHARED));
}

void SetApplicationIcon(const CWnd& window)
{
    window.SetIcon(LoadApplicationIcon(true), true);
    window.SetIcon(LoadApplicationIcon(false), false);
}
