#include "win32/form_main.h"

#include "core/conversion.h"
#include "resources/string_table.h"
#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/text.h"
#include "win32/box_owner.h"
#include "win32/control_ids.h"
#include "win32/guard.h"
#include "win32/notice.h"
#include "win32/window_proc.h"
#include "win32/wide.h"

namespace tabulor {

void TFormMain::RegisterWindowClass(HINSTANCE instance)
{
    RegisterOwnedClass<TFormMain>(instance, FormMainClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    TSpinEdit::RegisterArrowClass(instance);
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        FormCommand(wParam);
        return 0;
    case WM_ACTIVATE:
        FormActivate(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        // Labels, the check box and the radio buttons stand on the window's button face.
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && TextHeight != 0)
            PlaceControls();
        return 0;
    case WM_DPICHANGED:
        FormDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DROPFILES:
        FormDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        SetMainWindow(nullptr);
        HWND window = Window;
        Window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(Window, message, wParam, lParam);
    }
}

void TFormMain::FormCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return;
    const int id = LOWORD(wParam);
    if (id == ControlId("ButtonBrowseSrcFile"))
        ButtonBrowseSrcFileClick();
    else if (id == ControlId("ButtonBrowseDestFile"))
        ButtonBrowseDestFileClick();
    else if (id == ControlId("ButtonExecute"))
        ButtonExecuteClick();
    else if (id == ControlId("ButtonExit"))
        ButtonExitClick();
}

// The focus leaves with the window and comes back to the same control.
void TFormMain::FormActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Window, focus))
            SavedFocus = focus;
    } else if (!HIWORD(wParam) && SavedFocus != nullptr) {
        SetFocus(SavedFocus);
    }
}

// A file dropped on the window is a chosen source; dropped on the destination field, it is
// the destination alone. The pickers do not learn of it.
void TFormMain::FormDropFiles(HDROP drop)
{
    const TDrop owned(drop);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::u16string> names;
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        names.push_back(FromWide(name));
    }
    const std::optional<std::u16string> dropped = SingleFileName(names);
    if (!dropped)
        return;
    POINT at;
    DragQueryPoint(drop, &at);
    if (ChildWindowFromPointEx(Window, at, CWP_SKIPINVISIBLE) == Control("EditDestFile"))
        SetControlText(Control("EditDestFile"), *dropped);
    else
        SetFileFields(SourceChosen(*dropped));
}

void TFormMain::ChooseSource(const std::optional<std::u16string>& name)
{
    if (name)
        SetFileFields(SourceChosen(*name));
}

void TFormMain::ButtonBrowseSrcFileClick()
{
    if (const auto name = OpenDialog.Execute(Window))
        SetFileFields(SourceChosen(*name));
}

void TFormMain::ButtonBrowseDestFileClick()
{
    if (const auto name = SaveDialog.Execute(Window))
        SetControlText(Control("EditDestFile"), *name);
}

// A failed run throws past the notice, to the guard that shows the error.
void TFormMain::ButtonExecuteClick()
{
    RunConversion(MakeConversionSettings(ReadFields()));
    ShowNotice(FromUtf8(strings::SFileCreated));
}

void TFormMain::ButtonExitClick()
{
    PostMessageW(Window, WM_CLOSE, 0, 0);
}

HWND TFormMain::Control(std::string_view name) const
{
    return Controls.at(static_cast<std::size_t>(ControlId(name) - FirstControlId));
}

TFormFields TFormMain::ReadFields() const
{
    return ReadFormFields({
        [this](std::string_view name) { return WindowText(Control(name)); },
        [this](std::string_view name) {
            return SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
        },
    });
}

void TFormMain::SetFileFields(const TFileFields& fields)
{
    SetControlText(Control("EditSrcFile"), fields.SrcFile);
    SetControlText(Control("EditDestFile"), fields.DestFile);
}

}  // namespace tabulor
