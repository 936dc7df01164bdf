#include "win32/error_box.h"

#include <windows.h>

#include <string>

#include "shell/layout.h"
#include "shell/messages.h"
#include "win32/box_owner.h"
#include "win32/wide.h"

namespace tabulor {

void ReportError(std::u16string_view message) noexcept
{
    // A held arrow button must not keep stepping behind the box.
    ReleaseCapture();
    std::wstring title;
    std::wstring text;
    try {
        title = ToWide(FormTitle);
        text = ToWide(WithFinalFullStop(message));
    } catch (...) {
        // Out of memory: the box still says that something failed.
    }
    MessageBoxW(BoxOwner(), text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace tabulor
