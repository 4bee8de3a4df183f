// The install dialog: call letters and system type in, install command and completion out.
#pragma once

#include "ui/SetupDlg.h"

#include <string>
#include <vector>

/// Collects the call letters and a system type from the catalogue and registers the system.
/// Carries the About item on its system menu and the Help button.
class CInstallDlg : public CSetupDlg {
public:
    CInstallDlg(CWnd* owner, PlatformServices& os);

protected:
    BOOL OnInitDialog() override;  // About item, icon, type list, empty letters
    void OnOK() override;          // checks, install, completion dialog, close
    bool OnSysCommand(UINT command) override;
    bool OnPaint() override;       // the icon while minimised
    HICON OnQueryDragIcon() override;
    void OnDestroy() override;     // releases the help viewer

private:
    CEdit m_callLetters;
    CComboBox m_systemType;
    std::vector<std::string> m_offeredTypes;
    HICON m_hIcon = nullptr;
};
