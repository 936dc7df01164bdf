// The thread's one message loop, which the program runs for its main window and the notice for
// itself: each message is handled behind the guard, so that an error that escapes a handler
// goes to the error box and the loop goes on. It disables and enables no window: a modal
// window does that around it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace tabulor {

// A window's own keys, taken before the focused control sees them: true when handled.
using TKeyPreview = std::function<bool(const MSG& message)>;

// Runs until WM_QUIT, whose exit code it returns, or until ended() holds before the next
// message, when it returns none.
std::optional<int> RunMessageLoop(const TKeyPreview& keyPreview, const std::function<bool()>& ended = {});

}  // namespace tabulor
