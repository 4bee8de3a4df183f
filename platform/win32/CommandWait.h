// Waiting for a setup command on the thread that owns the program's windows.
#pragma once

#include "platform/PlatformServices.h"

#include <windows.h>

#include <functional>

/// Waits for `process` to end while the thread keeps its windows alive, and makes sure that
/// nothing new starts meanwhile: no second install or upgrade, no dialog, no menu. The guards, and
/// what each one stops:
/// - Sent messages are answered (inside PeekMessage) and posted ones such as painting are
///   dispatched: programs that send to every window, the command among them, never wait for us.
/// - Keyboard and mouse input, and the commands, help requests, context menus and requests to
///   close that the system or a tool posts for them, are dropped: an Enter pressed in impatience
///   neither dismisses the next message unread nor starts a second install.
/// - The thread's top-level windows answer every command, system command, help request and
///   context-menu request with nothing, whoever sends it: a click or WM_COMMAND sent by UI
///   automation, or a click sent to one of their buttons, does nothing. The enabled ones are
///   disabled too, and everything is given back afterwards with the activation and the focus.
/// - No window of the thread's can be made (a CBT hook refuses each): neither a dialog nor the menu
///   that a context-menu request sent straight to a control would open, whose modal loop would
///   take keys.
/// - A hidden top-level window holds up a log-off or shutdown that can wait, with the reason
///   Windows shows, and lets a critical one go; `onSession` hears each event before the answer,
///   as the program may be ended as soon as it is given.
/// - The wait cursor is shown. Messages for the thread itself (WM_QUIT among them) are kept and
///   posted again afterwards.
void WaitAnswering(HANDLE process, const std::function<void(SessionEvent)>& onSession);
