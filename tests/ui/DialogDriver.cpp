// The timer-driven dialog driver and the window helpers of the dialog tests.
#include "tests/ui/DialogDriver.h"

namespace {

DialogDriver* g_driver = nullptr;

BOOL CALLBACK CollectDialog(HWND window, LPARAM found)
{
    std::string className(16, '\0');
    className.resize(static_cast<size_t>(GetClassNameA(window, &className[0], static_cast<int>(className.size()))));
    if (className == "#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

DialogDriver& DialogDriver::Then(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

bool DialogDriver::Run(const std::function<void()>& body, DWORD limitMilliseconds)
{
    DialogDriver* outer = g_driver;
    g_driver = this;
    m_next = 0;
    m_timedOut = false;
    m_failure.clear();
    m_deadline = GetTickCount() + limitMilliseconds;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &DialogDriver::Tick);
    body();
    KillTimer(nullptr, timer);
    g_driver = outer;
    if (m_timedOut)
        m_failure = "timed out at step " + std::to_string(m_next + 1) + " of " + std::to_string(m_steps.size());
    else if (m_next < m_steps.size())
        m_failure = "the dialogs ended at step " + std::to_string(m_next + 1) + " of " + std::to_string(m_steps.size());
    return m_failure.empty();
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver)
        g_driver->OnTick();
}

void DialogDriver::OnTick()
{
    if (static_cast<LONG>(GetTickCount() - m_deadline) >= 0) {
        m_timedOut = true;
        for (HWND dialog : ThreadDialogs())
            EndDialog(dialog, IDCANCEL);
        return;
    }
    if (m_busy || m_next >= m_steps.size())
        return;
    m_busy = true;
    if (m_steps[m_next]())
        ++m_next;
    m_busy = false;
}

std::vector<HWND> ThreadDialogs()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindDialog(const std::string& caption)
{
    for (HWND dialog : ThreadDialogs())
        if (WindowText(dialog) == caption)
            return dialog;
    return nullptr;
}

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void Click(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        entries.push_back(text);
    }
    return entries;
}

bool SelectEntry(HWND dialog, int comboId, const std::string& text)
{
    HWND combo = GetDlgItem(dialog, comboId);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR)
        return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcWork;
}
