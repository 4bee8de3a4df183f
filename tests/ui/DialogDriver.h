// Drives modal dialogs from a thread timer while the test thread sits in their message loops.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

/// Steps run in order from a timer that fires inside whatever modal loop is running. Each step is
/// tried every tick until it reports true. Steps must not block: they post clicks rather than
/// send them, so that a dialog opened by a click runs in the test's own call, not in the timer.
class DialogDriver {
public:
    using Step = std::function<bool()>;

    /// Adds a step to the end of the script.
    DialogDriver& Then(Step step);
    /// Runs `body` (which opens the dialogs) while the script is driven. When the time is up every
    /// dialog of the thread is ended with IDCANCEL until `body` returns. False when time ran out
    /// or steps were left.
    bool Run(const std::function<void()>& body, DWORD limitMilliseconds = 15000);
    /// What went wrong in the last run, for the failure message.
    std::string Failure() const { return m_failure; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_deadline = 0;
    bool m_busy = false;
    bool m_timedOut = false;
    std::string m_failure;
};

/// The visible dialog (message boxes included) of this thread with `caption`, or nullptr.
HWND FindDialog(const std::string& caption);
/// Every visible dialog of this thread.
std::vector<HWND> ThreadDialogs();
/// The window's text.
std::string WindowText(HWND window);
/// Posts a click on the button `id` of `dialog`.
void Click(HWND dialog, int id);
/// The texts of a combo box's entries, in list order.
std::vector<std::string> ComboEntries(HWND combo);
/// Selects the combo box entry with exactly `text` as the operator would, notifying the dialog.
bool SelectEntry(HWND dialog, int comboId, const std::string& text);
/// The window's rectangle on the screen.
RECT ScreenRect(HWND window);
/// The work area of the primary monitor.
RECT WorkArea();
