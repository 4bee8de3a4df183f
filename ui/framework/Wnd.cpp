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
    // Read in UTF-16 and converted here: a combo box of Common Controls 6 is a Unicode window, and
    // Wine hands the ANSI message on through a stack buffer of 512 characters, which a longer entry
    // overruns (the program then dies instead of showing what it would have said).
    if (index < 0 || !m_hWnd)
        return std::string();
    const LRESULT length = SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0)
        return std::string();
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]));
    if (copied <= 0)
        return std::string();
    wide.resize(static_cast<size_t>(copied) < wide.size() ? static_cast<size_t>(copied) : wide.size() - 1);
    const int size = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &text[0], bytes, nullptr, nullptr);
    return text;
}
