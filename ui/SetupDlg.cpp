// The program's dialog base: help requests and the application icon.
#include "ui/SetupDlg.h"

#include "platform/Characters.h"
#include "platform/PlatformServices.h"
#include "ui/resource.h"

namespace {

const char kHelpFailed[] = "Failed to launch help.";

// Help context numbers of dialog templates start here.
const unsigned long kDialogHelpBase = 0x20000;

}  // namespace

void CSetupDlg::OnHelp()
{
    // The page beside the program opens in the browser on every Windows; without it the help
    // viewer is asked, so that a station's own .HLP keeps working where Windows still shows it.
    const std::string page = HelpPagePath(m_os);
    const bool started = m_os.PathType(page) != PathKind::Missing
                             ? m_os.Help({HelpRequest::Kind::Page, page})
                             : m_os.Help({HelpRequest::Kind::Topic, HelpFilePath(m_os), kDialogHelpBase + TemplateId()});
    if (!started)
        m_os.ShowMessage(kHelpFailed);
}

std::string HelpPagePath(PlatformServices& os)
{
    return WithoutExtension(os.ProgramArgument()) + ".html";
}

std::string HelpFilePath(PlatformServices& os)
{
    return WithoutExtension(os.ProgramArgument()) + ".HLP";
}

HICON LoadApplicationIcon(bool big)
{
    const int width = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    const int height = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, width, height, LR_SHARED));
}

void SetApplicationIcon(const CWnd& window)
{
    window.SetIcon(LoadApplicationIcon(true), true);
    window.SetIcon(LoadApplicationIcon(false), false);
}
