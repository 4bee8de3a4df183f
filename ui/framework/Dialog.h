// The modal dialog: a template run by the system's dialog manager, with virtual handlers.
#pragma once

#include "ui/framework/Wnd.h"

#include <exception>

/// A dialog run modally from a template in the program's resources. The object lives on the
/// stack of the code that runs it and is bound to its window only while DoModal runs.
class CDialog : public CWnd {
public:
    /// `owner` is disabled while the dialog runs and enabled and activated again afterwards;
    /// nullptr gives a dialog without owner.
    CDialog(UINT templateId, CWnd* owner) : m_templateId(templateId), m_owner(owner) {}

    /// Runs the dialog until it ends: 1 for OK, 2 for Cancel, -1 (and nothing shown) when the
    /// template is missing or the window could not be made. An exception from a handler can't
    /// pass through the system's dialog manager: it ends the dialog and is thrown again here.
    INT_PTR DoModal();

    UINT TemplateId() const { return m_templateId; }

protected:
    /// Centres the dialog unless its template is marked visible and keeps it inside the work
    /// area. True lets the dialog manager give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    /// Transfers the controls' contents and ends with IDOK only when that succeeds.
    virtual void OnOK();
    /// Ends with IDCANCEL: the Cancel button, Escape, the close box and Alt+F4 all arrive here.
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    /// Moves the controls' contents into the object (`save`) or back; false keeps the dialog open.
    virtual bool DoDataExchange(bool save);
    /// A command from a control other than OK, Cancel and Help; false leaves it unhandled.
    virtual bool OnCommand(int id, int notification);
    /// The Help button (ID_HELP) or F1 anywhere in the dialog. Nothing by default.
    virtual void OnHelp() {}
    /// A system-menu command; false leaves it to the default handling (move, close and so on).
    virtual bool OnSysCommand(UINT command);
    /// WM_PAINT; false leaves the painting to the default handling.
    virtual bool OnPaint() { return false; }
    /// The icon shown while the minimised window is dragged; nullptr for the default.
    virtual HICON OnQueryDragIcon() { return nullptr; }
    /// The window is going away; the controls still exist.
    virtual void OnDestroy() {}

    void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR HandleMessage(UINT message, WPARAM wParam);
    void CenterInWorkArea() const;

    UINT m_templateId;
    CWnd* m_owner;
    bool m_templateVisible = false;
    std::exception_ptr m_failure;
};
