// The one guard that every window procedure, hook and message-loop step runs behind: nothing
// thrown ever crosses into the system's code, which could not unwind it.
#pragma once

#include <exception>
#include <string_view>

#include "shell/text.h"

namespace tabulor {

// Shows an error's text in the system's error box, over every window of the tool.
void ReportError(std::u16string_view message) noexcept;

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
