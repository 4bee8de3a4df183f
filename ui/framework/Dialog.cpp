// The modal dialog over the system's dialog manager: Win32 calls only.
#include "ui/framework/Dialog.h"

#include <utility>

#ifndef ID_HELP
#define ID_HELP 57670
#endif

namespace {

// The style stored in a dialog template, of either template format; 0 when there is no template.
DWORD TemplateStyle(UINT templateId)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
    if (!found)
        return 0;
    HGLOBAL loaded = LoadResource(instance, found);
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes || SizeofResource(instance, found) < 16)
        return 0;
    // The extended format starts with version 1 and signature 0xFFFF, then help id, extended
    // style and style; the old one starts with the style.
    const auto word = [bytes](size_t at) { return static_cast<DWORD>(bytes[at] | bytes[at + 1] << 8); };
    const size_t at = word(0) == 1 && word(2) == 0xFFFF ? 12 : 0;
    return word(at) | word(at + 2) << 16;
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    m_templateVisible = (TemplateStyle(m_templateId) & WS_VISIBLE) != 0;
    HWND owner = m_owner ? m_owner->m_hWnd : nullptr;
    // A Unicode dialog, so that its controls hold any text, not only the code page's.
    m_failure = nullptr;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    // WM_SETFONT and others come before WM_INITDIALOG, while no object is bound yet.
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    try {
        if (!self->m_failure)
            return self->HandleMessage(message, wParam);
    } catch (...) {
        // Nothing may unwind through the system's code: the dialog ends, and DoModal throws it
        // again once the dialog manager has let go. Until then the dialog handles nothing more.
        self->m_failure = std::current_exception();
        ::EndDialog(window, IDABORT);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam)
{
    // A disabled dialog, under a modal one, acts on no command or request, whoever sends it: a
    // tool's click can't open a second dialog of the same kind beside the first.
    if (!IsWindowEnabled(m_hWnd) && (message == WM_COMMAND || message == WM_HELP || message == WM_SYSCOMMAND))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        // The focus decision is the return value itself, not a message result.
        return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        if (id == ID_HELP) {
            OnHelp();
            return TRUE;
        }
        return OnCommand(id, notification) ? TRUE : FALSE;
    }
    case WM_HELP:
        // F1 anywhere in the dialog asks for the same help as the Help button.
        OnHelp();
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_SYSCOMMAND:
        if (!OnSysCommand(static_cast<UINT>(wParam)))
            return FALSE;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        // One of the few messages whose dialog-procedure return value is the result itself.
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CDialog::OnInitDialog()
{
    // The dialog manager shows a template marked visible only after this returns, so the style
    // is read from the template itself: such a dialog keeps its template position.
    if (!m_templateVisible)
        CenterInWorkArea();
    return TRUE;
}

void CDialog::CenterInWorkArea() const
{
    RECT dialog;
    GetWindowRect(m_hWnd, &dialog);
    const LONG width = dialog.right - dialog.left;
    const LONG height = dialog.bottom - dialog.top;

    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;

    RECT around = work;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    LONG left = around.left + (around.right - around.left - width) / 2;
    LONG top = around.top + (around.bottom - around.top - height) / 2;

    // An owner near the edge of the screen must not push the dialog, and its OK button, off it.
    if (left + width > work.right)
        left = work.right - width;
    if (left < work.left)
        left = work.left;
    if (top + height > work.bottom)
        top = work.bottom - height;
    if (top < work.top)
        top = work.top;
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::OnOK()
{
    if (DoDataExchange(true))
        EndDialog(IDOK);
}

bool CDialog::DoDataExchange(bool save)
{
    (void)save;
    return true;
}

bool CDialog::OnCommand(int id, int notification)
{
    (void)id;
    (void)notification;
    return false;
}

bool CDialog::OnSysCommand(UINT command)
{
    (void)command;
    return false;
}
