// The window and control wrappers: Win32 calls only.
#include "ui/framework/Wnd.h"

std::string CWnd::GetText() const
{
    if (!m_hWnd)
        return std::string();
    // The length may be an overestimate (double-byte text); the copy reports the real one.
    const int length = GetWindowTextLengthA(m_hWnd);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void CWnd::SetText(const std::string& text) const
{
    ::SetWindowTextA(m_hWnd, text.c_str());
}

int CComboBox::AddString(const std::string& text) const
{
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

std::string CComboBox::GetLBText(int index) const
{
    if (index < 0)
        return std::string();
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
