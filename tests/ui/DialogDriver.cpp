// The timer-driven dialog driver and the thread's dialogs.
#include "tests/ui/DialogDriver.h"

#include <exception>

namespace {

DialogDriver* g_driver = nullptr;

BOOL CALLBACK CollectDialog(HWND window, LPARAM found)
{
    if (e2e::ClassName(window) == "#32770" && IsWindowVisible(window))
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
    m_failure.clear();
    m_limit = limitMilliseconds;
    m_deadline = GetTickCount() + limitMilliseconds;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &DialogDriver::Tick);
    body();
    KillTimer(nullptr, timer);
    g_driver = outer;
    if (m_failure.empty() && m_next < m_steps.size())
        m_failure = "the dialogs ended " + Where();
    return m_failure.empty();
}

std::string DialogDriver::Where() const
{
    const std::string& what = m_next < m_steps.size() ? m_steps[m_next].what : std::string();
    return "at step " + std::to_string(m_next + 1) + " of " + std::to_string(m_steps.size()) +
           (what.empty() ? std::string() : ", waiting for " + what);
}

void DialogDriver::Abandon(const std::string& why)
{
    if (m_failure.empty())
        m_failure = why;
    for (HWND dialog : ThreadDialogs())
        EndDialog(dialog, IDCANCEL);
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver)
        g_driver->OnTick();
}

void DialogDriver::OnTick()
{
    if (!m_failure.empty()) {
        Abandon(m_failure);
        return;
    }
    if (static_cast<LONG>(GetTickCount() - m_deadline) >= 0) {
        Abandon("timed out after " + std::to_string(m_limit) + " ms " + Where());
        return;
    }
    if (m_busy || m_next >= m_steps.size())
        return;
    m_busy = true;
    try {
        if (m_steps[m_next].run())
            ++m_next;
    } catch (const std::exception& error) {
        // Nothing may unwind through the dialog manager that called the timer.
        Abandon(std::string(error.what()) + " " + Where());
    }
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
        if (e2e::Caption(dialog) == caption)
            return dialog;
    return nullptr;
}

DialogDriver::Step On(const std::string& caption, std::function<void(HWND)> act)
{
    return DialogDriver::Step(
        [caption, act] {
            HWND dialog = FindDialog(caption);
            if (dialog)
                act(dialog);
            return dialog != nullptr;
        },
        "the dialog \"" + caption + "\"");
}

DialogDriver::Step Gone(const std::string& caption)
{
    return DialogDriver::Step([caption] { return FindDialog(caption) == nullptr; }, "\"" + caption + "\" to close");
}
