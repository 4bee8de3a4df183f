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
    if (!m_os.ShowHelpTopic(HelpFilePath(m_os), kDialogHelpBase + TemplateId()))
        m_os.ShowMessage(kHelpFailed);
}

std::string HelpFilePath(PlatformServices& os)
{
    return WithoutExtension(os, os.ProgramArgument()) + ".HLP";
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
