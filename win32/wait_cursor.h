// The wait cursor for as long as some work keeps the window busy.
#pragma once

#include <windows.h>

namespace tabulor {

// Shows the wait cursor from its making to its end, however the work ends, an error included,
// and then the cursor there was before. The work runs on the window's thread and no message is
// handled meanwhile, so nothing sets the cursor back before it ends. It keeps no input away.
class TWaitCursor {
public:
    TWaitCursor() : Previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(Previous); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR Previous;
};

}  // namespace tabulor
