#include <windows.h>

#include "shell/layout.h"
#include "shell/messages.h"
#include "win32/guard.h"
#include "win32/wide.h"

namespace tabulor {

void ReportError(std::u16string_view message) noexcept
{
    // A held arrow button must not keep stepping behind the box.
    ReleaseCapture();
    std::wstring text;
    try {
        text = ToWide(WithFinalFullStop(message));
    } catch (...) {
        // Out of memory: the box still says that something failed.
    }
    // The caption is a literal, and so ends in a zero.
    MessageBoxW(GetActiveWindow(), text.c_str(), reinterpret_cast<const wchar_t*>(FormCaption.data()),
                MB_OK | MB_ICONSTOP);
}

}  // namespace tabulor
