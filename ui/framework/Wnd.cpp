// The window and control wrappers: Win32 calls only, every text in UTF-16 at the window.
#include "ui/framework/Wnd.h"

#include "unicode/Wide.h"

std::string CWnd::GetText() const
{
    if (!m_hWnd)
        return std::string();
    // The length may be an overestimate; the copy reports the real one.
    const int length = GetWindowTextLengthW(m_hWnd);
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
    return Narrow(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void CWnd::SetText(const std::string& text) const
{
    ::SetWindowTextW(m_hWnd, Wide(text).c_str());
}

int CComboBox::AddString(const std::string& text) const
{
    const std::wstring wide = Wide(text);
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string CComboBox::GetLBText(int index) const
{
    // Read in UTF-16: a combo box of Common Controls 6 is a Unicode window, and Wine hands an ANSI
    // message on through a stack buffer of 512 characters, which a longer entry overruns.
    if (index < 0 || !m_hWnd)
        return std::string();
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length <= 0)
        return std::string();
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]));
    if (copied <= 0)
        return std::string();
    return Narrow(wide.data(),
                  static_cast<size_t>(copied) < wide.size() ? static_cast<size_t>(copied) : wide.size() - 1);
}
