// The install dialog.
#include "ui/InstallDlg.h"

#include "platform/PlatformServices.h"
#include "setup/DeviceTypes.h"
#include "setup/Install.h"
#include "ui/AboutDlg.h"
#include "ui/framework/App.h"
#include "ui/SetupCompleteDlg.h"
#include "ui/resource.h"
#include "unicode/Wide.h"

namespace {

// System-menu command ids must keep their low four bits free and stay below the system's own.
static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX && IDM_ABOUTBOX < 0xF000, "bad system-menu id");

}  // namespace

CInstallDlg::CInstallDlg(CWnd* owner, PlatformServices& os) : CSetupDlg(IDD_INSTALL, owner, os) {}

BOOL CInstallDlg::OnInitDialog()
{
    CSetupDlg::OnInitDialog();
    m_callLetters.Attach(GetDlgItem(IDC_CALL_LETTERS));
    m_systemType.Attach(GetDlgItem(IDC_SYSTEM_TYPE));

    if (HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE)) {
        const std::string about = CWinApp::LoadText(IDS_ABOUTBOX);
        if (!about.empty()) {
            AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, Wide(about).c_str());
        }
    }

    m_hIcon = LoadApplicationIcon(true);
    SetApplicationIcon(*this);

    // The template is marked visible, so the dialog appears only after this: a catalogue
    // message comes first.
    m_offeredTypes = LoadDeviceTypes(m_os);
    for (const std::string& type : m_offeredTypes)
        m_systemType.AddString(type);
    m_callLetters.SetText(std::string());
    return TRUE;
}

void CInstallDlg::OnOK()
{
    const std::string callLetters = m_callLetters.GetText();
    const std::string systemType = m_systemType.GetSelectedText();
    // Checked against the types the list was filled with: the catalogue is read once per dialog.
    const SetupResult result = InstallSystem(m_os, callLetters, systemType, m_offeredTypes);
    // A refusal made nothing: the dialog stays, with the entry, for the operator to correct.
    if (result == SetupResult::Refused)
        return;
    // After a failure the operator has read its message; claiming success would be false.
    if (Completed(result)) {
        CSetupCompleteDlg done(this, m_os, result != SetupResult::Done);
        done.DoModal();
    }
    EndDialog(IDOK);
}

bool CInstallDlg::OnSysCommand(UINT command)
{
    // The system keeps its own flags in the low four bits of a menu command.
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    CAboutDlg about(this, m_os);
    about.DoModal();
    return true;
}

bool CInstallDlg::OnPaint()
{
    if (!IsIconic(m_hWnd))
        return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

HICON CInstallDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CInstallDlg::OnDestroy()
{
    m_os.Help({HelpRequest::Kind::Close, HelpFilePath(m_os)});
}
