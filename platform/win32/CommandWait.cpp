// The wait for a setup command on the window thread: Win32 calls only.
#include "platform/win32/CommandWait.h"

#include <vector>

namespace {

// What the system posts for a press of F1 (not in every header); DefWindowProc makes help of it.
constexpr UINT kKeyF1 = 0x004D;

// What a window must not act on while a command runs, whoever sends it: a command (a button's
// click, OK, a menu item), a system command (close, the window menu), a request for help or for a
// context menu.
bool IsRequest(UINT message)
{
    return message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_HELP || message == WM_CONTEXTMENU;
}

// Keyboard and mouse input, and the commands and requests to close that clicks and keys turn into.
bool IsInputOrCommand(const MSG& message)
{
    const UINT m = message.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) || IsRequest(m) || m == WM_CLOSE || m == BM_CLICK ||
           m == kKeyF1;
}

// The window procedure a held window had, kept as a property of the window.
const wchar_t kHeldProcedure[] = L"CorvaneHeldProcedure";

// The program's top-level windows for the length of a command. Each one's procedure is taken over
// so that it answers every request with nothing, sent or posted, from this program or another: no
// click sent to a button of it (the button tells its dialog) and no WM_COMMAND sent to it can start
// a second install or open a dialog. The enabled ones are disabled too, so that the operator sees
// it and the system sends them no input. Everything is given back afterwards, the activation and
// the focus with it.
class HeldWindows {
public:
    HeldWindows() : m_active(GetActiveWindow()), m_focus(GetFocus())
    {
        EnumThreadWindows(GetCurrentThreadId(), &HeldWindows::Hold, reinterpret_cast<LPARAM>(this));
    }
    HeldWindows(const HeldWindows&) = delete;
    HeldWindows& operator=(const HeldWindows&) = delete;
    ~HeldWindows()
    {
        for (const Held& held : m_held) {
            if (!IsWindow(held.window))
                continue;
            SetWindowLongPtrW(held.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(held.procedure));
            RemovePropW(held.window, kHeldProcedure);
            if (held.wasEnabled)
                EnableWindow(held.window, TRUE);
        }
        if (m_active && IsWindow(m_active))
            SetActiveWindow(m_active);
        if (m_focus && IsWindow(m_focus))
            SetFocus(m_focus);
    }

private:
    struct Held {
        HWND window;
        WNDPROC procedure;
        bool wasEnabled;
    };

    static BOOL CALLBACK Hold(HWND window, LPARAM self)
    {
        const bool enabled = IsWindowEnabled(window) != FALSE;
        const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        if (!procedure || !SetPropW(window, kHeldProcedure, reinterpret_cast<HANDLE>(procedure)))
            return TRUE;
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeldWindows::Refuse));
        if (enabled)
            EnableWindow(window, FALSE);
        reinterpret_cast<HeldWindows*>(self)->m_held.push_back({window, procedure, enabled});
        return TRUE;
    }
    static LRESULT CALLBACK Refuse(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const auto procedure = reinterpret_cast<WNDPROC>(GetPropW(window, kHeldProcedure));
        if (IsRequest(message) || !procedure)
            return 0;
        return CallWindowProcW(procedure, window, message, wParam, lParam);
    }

    HWND m_active;
    HWND m_focus;
    std::vector<Held> m_held;
};

// No window of the thread's may be made while a command runs: neither a dialog nor the menu that a
// context-menu request sent straight to a control would open, whose modal loop would take keys.
// Whatever sends such a request is answered at once.
class NoNewWindows {
public:
    NoNewWindows() : m_hook(SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId())) {}
    NoNewWindows(const NoNewWindows&) = delete;
    NoNewWindows& operator=(const NoNewWindows&) = delete;
    ~NoNewWindows()
    {
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
    }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook;
};

// What Windows shows for the program while it holds up a log-off or shutdown.
const wchar_t kHoldUpReason[] = L"Corvane is waiting for a setup command to finish";
const wchar_t kSessionWatchClass[] = L"CorvaneSessionWatch";

// A hidden top-level window of the program's own for the length of one command: Windows asks
// every top-level window before a log-off or shutdown, so the program is asked with its dialogs
// or without any. An end that can wait is held up, with the reason, until the command ends or the
// user ends the session anyway; one that can't wait is let go. `watcher` hears each first, as the
// program may be ended as soon as the answer is given.
class SessionWatch {
public:
    explicit SessionWatch(const std::function<void(SessionEvent)>& watcher) : m_watcher(watcher)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &SessionWatch::Answer;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kSessionWatchClass;
        RegisterClassW(&windowClass);  // refused, harmlessly, from the second command on
        m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kSessionWatchClass, L"Corvane", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, windowClass.hInstance, this);
        if (m_window)
            ShutdownBlockReasonCreate(m_window, kHoldUpReason);
    }
    SessionWatch(const SessionWatch&) = delete;
    SessionWatch& operator=(const SessionWatch&) = delete;
    ~SessionWatch()
    {
        if (!m_window)
            return;
        ShutdownBlockReasonDestroy(m_window);
        DestroyWindow(m_window);
    }

private:
    static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        const auto* self = reinterpret_cast<const SessionWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_QUERYENDSESSION) {
            const bool canWait = (static_cast<DWORD>(lParam) & ENDSESSION_CRITICAL) == 0;
            self->Tell(canWait ? SessionEvent::HeldUp : SessionEvent::Ending);
            return canWait ? FALSE : TRUE;
        }
        if (self && message == WM_ENDSESSION) {
            self->Tell(wParam ? SessionEvent::Ends : SessionEvent::GoesOn);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    void Tell(SessionEvent event) const
    {
        // Nothing may unwind through the system's code; the answer is given all the same.
        try {
            if (m_watcher)
                m_watcher(event);
        } catch (...) {
        }
    }

    const std::function<void(SessionEvent)>& m_watcher;
    HWND m_window = nullptr;
};

}  // namespace

void WaitAnswering(HANDLE process, const std::function<void(SessionEvent)>& onSession)
{
    const HeldWindows held;
    const SessionWatch session(onSession);
    const NoNewWindows noWindows;
    // IDC_WAIT, which without UNICODE is the A form.
    HCURSOR wait = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));
    HCURSOR previous = SetCursor(wait);
    std::vector<MSG> kept;
    bool quit = false;
    int quitCode = 0;
    const auto drain = [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
            } else if (IsInputOrCommand(message)) {
                continue;
            } else if (message.hwnd) {
                DispatchMessageW(&message);
            } else {
                kept.push_back(message);
            }
        }
        // The windows set their own cursor as the mouse moves over them.
        SetCursor(wait);
    };
    for (;;) {
        drain();
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 + 1)
            continue;
        // Should the wait itself fail, the command still has to end before its status is read.
        if (woken != WAIT_OBJECT_0)
            WaitForSingleObject(process, INFINITE);
        break;
    }
    drain();
    SetCursor(previous);
    for (const MSG& message : kept)
        PostThreadMessageW(GetCurrentThreadId(), message.message, message.wParam, message.lParam);
    if (quit)
        PostQuitMessage(quitCode);
}
