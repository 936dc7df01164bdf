// The one guard that every window procedure, hook and message-loop step runs behind: nothing
// thrown ever crosses into the system's code, which could not unwind it. It reports what it
// catches and goes on; it retries nothing.
#pragma once

#include <exception>

#include "shell/text.h"
#include "win32/error_box.h"

namespace tabulor {

template <class THandler>
bool RunGuarded(THandler&& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        try {
            ReportError(FromUtf8(error.what()));
        } catch (...) {
            ReportError(u"");
        }
    } catch (...) {
        ReportError(u"");
    }
    return false;
}

}  // namespace tabulor
