// The error box: the system's message box with the stop icon, which shows what went wrong. It
// offers no choice and gives nothing back; the run that failed is not tried again.
#pragma once

#include <string_view>

namespace tabulor {

// Shows an error's text in the error box, over every window of the tool.
void ReportError(std::u16string_view message) noexcept;

}  // namespace tabulor
