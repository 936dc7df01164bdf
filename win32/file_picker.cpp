#include "win32/file_picker.h"

#include <commdlg.h>

#include "shell/placement.h"
#include "win32/guard.h"
#include "win32/geometry.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

// The picker's file-type list: each description and its patterns, every text ended by a zero,
// and one more zero after the last.
std::wstring FilterList(std::span<const TPickerFilter> filters)
{
    std::wstring list;
    for (const TPickerFilter& filter : filters)
        list.append(ToWide(filter.Description)).append(1, L'\0')
            .append(ToWide(filter.Patterns)).append(1, L'\0');
    return list.append(1, L'\0');
}

// Once the picker has laid itself out, it moves onto the monitor of the main window. The hook's
// own window is a child of the picker.
UINT_PTR CALLBACK PickerHook(HWND hookWindow, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    RunGuarded([&] {
        const auto* notification = reinterpret_cast<const OFNOTIFYW*>(lParam);
        if (notification->hdr.code != CDN_INITDONE)
            return;
        HWND dialog = GetParent(hookWindow);
        const auto owner = reinterpret_cast<HWND>(notification->lpOFN->lCustData);
        RECT frame;
        GetWindowRect(dialog, &frame);
        const TPoint at = PickerTopLeft(MonitorOf(owner), SizeOf(frame));
        SetWindowPos(dialog, nullptr, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
    return 0;
}

}  // namespace

std::optional<std::u16string> TFilePicker::Execute(HWND owner)
{
    const std::wstring filter = FilterList(Setup.Filters);
    const std::wstring title = ToWide(Setup.Title);
    const std::wstring extension = ToWide(Setup.DefaultExtension);
    std::wstring buffer(PickerBufferLength, L'\0');
    if (FitsPickerBuffer(LastName))
        std::copy(LastName.begin(), LastName.end(), buffer.begin());

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.lCustData = reinterpret_cast<LPARAM>(owner);
    dialog.lpfnHook = PickerHook;
    // The current folder follows the picked file: no OFN_NOCHANGEDIR. An existing destination
    // is replaced without a question: no OFN_OVERWRITEPROMPT.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (Setup.Kind == TPickerKind::Open)
        dialog.Flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

    const BOOL chosen = Setup.Kind == TPickerKind::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    LastName = FromWide(buffer.c_str());
    return LastName;
}

}  // namespace tabulor
