// The application object's start-up routine.
#include "ui/SetupApp.h"

#include "ui/SetupChoiceDlg.h"
#include "ui/resource.h"

CSetupApp::CSetupApp() : m_os(m_windows) {}

CSetupApp::CSetupApp(PlatformServices& os) : m_os(os) {}

BOOL CSetupApp::InitInstance()
{
    if (!m_os.StartSockets()) {
        // No window exists yet, so the message has no owner.
        m_os.ShowMessage(LoadText(IDP_SOCKETS_INIT_FAILED));
        return FALSE;
    }
    m_socketsStarted = true;
    EnableControlContainer();
    Enable3dControls();

    CSetupChoiceDlg choice(m_os);
    m_pMainWnd = &choice;
    choice.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CSetupApp::ExitInstance()
{
    if (m_socketsStarted) {
        m_os.StopSockets();
        m_socketsStarted = false;
    }
    return 0;
}
