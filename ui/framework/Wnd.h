// Thin wrappers over a window handle: the base window and the controls the dialogs read.
#pragma once

#include <windows.h>

#include <string>

/// A window handle and the few calls made on it. Holds no ownership: the window belongs to the
/// dialog manager or to whoever created it.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    /// Binds the wrapper to `window` (nullptr unbinds it).
    void Attach(HWND window) { m_hWnd = window; }

    /// The window's text of any length, in UTF-8; empty when it has none or there is no window.
    std::string GetText() const;
    void SetText(const std::string& text) const;
    /// The control with `id` among this window's children, or nullptr.
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    /// Sets `icon` as the window's big (title bar, Alt+Tab) or small (caption) icon.
    void SetIcon(HICON icon, bool big) const
    {
        Send(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }

    HWND m_hWnd = nullptr;
};

/// A single-line edit box.
class CEdit : public CWnd {};

/// A drop-down list.
class CComboBox : public CWnd {
public:
    /// Adds an entry (a sorted list puts it in its place); its index, or CB_ERR.
    int AddString(const std::string& text) const;
    /// The selected entry's index, or CB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    /// The text of entry `index` of any length; empty for an index out of range.
    std::string GetLBText(int index) const;
    /// The selected entry's text; empty when nothing is selected.
    std::string GetSelectedText() const { return GetLBText(GetCurSel()); }
};

/// A push, check or radio button.
class CButton : public CWnd {
public:
    bool GetCheck() const { return Send(BM_GETCHECK) == BST_CHECKED; }
};
