// Drives modal dialogs from a thread timer while the test thread sits in their message loops.
#pragma once

#include "tests/e2e/Driver.h"

#include <windows.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

/// Steps run in order from a timer that fires inside whatever modal loop is running. Each step is
/// tried every tick until it reports true. Steps must not block: they post clicks rather than
/// send them, so that a dialog opened by a click runs in the test's own call, not in the timer.
class DialogDriver {
public:
    /// One step: tried until it returns true, or run once when it returns nothing; `what` names
    /// what it waits for in a failure.
    struct Step {
        template <typename Run, typename = std::enable_if_t<std::is_invocable_v<Run&>>>
        Step(Run tryStep, std::string waitsFor = {}) : what(std::move(waitsFor))
        {
            if constexpr (std::is_invocable_r_v<bool, Run&>) {
                run = std::move(tryStep);
            } else {
                run = [act = std::move(tryStep)]() mutable {
                    act();
                    return true;
                };
            }
        }
        std::function<bool()> run;
        std::string what;
    };

    /// Adds a step to the end of the script.
    DialogDriver& Then(Step step);
    /// Adds a step that waits for `what`.
    template <typename Run>
    DialogDriver& Then(Run run, std::string what)
    {
        return Then(Step(std::move(run), std::move(what)));
    }
    /// Runs `body` (which opens the dialogs) while the script is driven. When the time is up, or a
    /// step throws, every dialog of the thread is ended with IDCANCEL until `body` returns. False
    /// when that happened or steps were left.
    bool Run(const std::function<void()>& body, DWORD limitMilliseconds = static_cast<DWORD>(e2e::kPatience.count()));
    /// What went wrong in the last run, for the failure message.
    std::string Failure() const { return m_failure; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    void Abandon(const std::string& why);
    std::string Where() const;

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_deadline = 0;
    DWORD m_limit = 0;
    bool m_busy = false;
    std::string m_failure;
};

/// The visible dialog (message boxes included) of this thread with `caption`, or nullptr.
HWND FindDialog(const std::string& caption);
/// Every visible dialog of this thread.
std::vector<HWND> ThreadDialogs();

/// A step that waits for the dialog with `caption` of this thread, then runs `act` on it once.
DialogDriver::Step On(const std::string& caption, std::function<void(HWND)> act);
/// A step that waits until the dialog with `caption` of this thread has gone.
DialogDriver::Step Gone(const std::string& caption);
