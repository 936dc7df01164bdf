#include "win32/form_main.h"

#include <stdexcept>

#include "core/conversion.h"
#include "shell/messages.h"
#include "win32/box_owner.h"
#include "win32/control_ids.h"
#include "win32/notice.h"
#include "win32/wait_cursor.h"
#include "win32/window_proc.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

std::vector<std::u16string> DroppedNames(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::u16string> names;
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        names.push_back(FromWide(name));
    }
    return names;
}

}  // namespace

void TFormMain::RegisterWindowClass(HINSTANCE instance)
{
    RegisterOwnedClass<TFormMain>(instance, FormMainClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    TSpinEdit::RegisterArrowClass(instance);
}

TFormMain::TFormMain(HINSTANCE instance, HICON bigIcon, HICON smallIcon)
    : OpenDialog(OpenPickerSetup(FileSystem)), SaveDialog(SavePickerSetup)
{
    CreateWindowExW(FormExStyle, FormMainClassName, ToWide(FormTitle).c_str(), FormStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (Window.Get() == nullptr)
        throw std::runtime_error("the main window cannot be created");
    try {
        SendMessageW(Window.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
        SendMessageW(Window.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
        CreateControls(instance);
        LayOut(GetDpiForWindow(Window.Get()));
        Centre();
        SavedFocus = ControlHandle(TControlId::EditSrcFile);
    } catch (...) {
        // The window must not reach this object while it goes with it: the box that reports the
        // failure runs a message loop. Cut off, it also goes without ending that loop.
        SetWindowLongPtrW(Window.Get(), GWLP_USERDATA, 0);
        throw;
    }
    SetMainWindow(Window.Get());
}

// Only a maximised start and a minimised one without activation are honoured. SW_RESTORE,
// unlike SW_SHOWNORMAL, is not replaced by the start-up show command on the first call.
void TFormMain::Show(TStartShow show)
{
    switch (show) {
    case TStartShow::Maximized:
        ShowWindow(Window.Get(), SW_SHOWMAXIMIZED);
        break;
    case TStartShow::Minimized:
        ShowWindow(Window.Get(), SW_SHOWMINNOACTIVE);
        return;
    case TStartShow::Normal:
        ShowWindow(Window.Get(), SW_RESTORE);
        break;
    }
    UpdateWindow(Window.Get());
    // Where no window manager activates the new window, the focus still starts in the first field.
    SetFocus(SavedFocus);
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
    case SourceLeftMessage:
        SourceFieldLeft();
        return 0;
    case WM_DESTROY:
        SetMainWindow(nullptr);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(Window.Get(), message, wParam, lParam);
    }
}

void TFormMain::FormCommand(WPARAM wParam)
{
    // The focus is still on its way: the source is settled once it has arrived.
    if (HIWORD(wParam) == EN_KILLFOCUS && LOWORD(wParam) == ControlId(TControlId::EditSrcFile))
        PostMessageW(Window.Get(), SourceLeftMessage, 0, 0);
    if (HIWORD(wParam) != BN_CLICKED)
        return;
    switch (LOWORD(wParam)) {
    case ControlId(TControlId::ButtonBrowseSrcFile):
        ButtonBrowseSrcFileClick();
        break;
    case ControlId(TControlId::ButtonBrowseDestFile):
        ButtonBrowseDestFileClick();
        break;
    case ControlId(TControlId::ButtonExecute):
        ButtonExecuteClick();
        break;
    case ControlId(TControlId::ButtonExit):
        ButtonExitClick();
        break;
    }
}

// The focus leaves with the window and comes back to the same control.
void TFormMain::FormActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Window.Get(), focus))
            SavedFocus = focus;
    } else if (!HIWORD(wParam) && SavedFocus != nullptr) {
        SetFocus(SavedFocus);
    }
}

void TFormMain::FormDropFiles(HDROP drop)
{
    const TDrop owned(drop);
    const std::optional<std::u16string> dropped = SingleFileName(DroppedNames(drop));
    if (!dropped)
        return;
    POINT at;
    DragQueryPoint(drop, &at);
    const bool onDestination =
        ChildWindowFromPointEx(Window.Get(), at, CWP_SKIPINVISIBLE) == ControlHandle(TControlId::EditDestFile);
    SetFileFields(FileDropped(ReadFileFields(Reader()), *dropped, onDestination, FileSystem));
    if (!onDestination)
        SettleSource();
}

void TFormMain::ChooseSource(const std::optional<std::u16string>& name)
{
    if (name) {
        SetFileFields(SourceChosen(*name, FileSystem));
        SettleSource();
    }
}

void TFormMain::ButtonBrowseSrcFileClick()
{
    ChooseSource(OpenDialog.Execute(Window.Get()));
}

void TFormMain::ButtonBrowseDestFileClick()
{
    if (const auto name = SaveDialog.Execute(Window.Get()))
        SetControlText(ControlHandle(TControlId::EditDestFile), *name);
}

// A failed run throws past the notice, to the guard that shows the error.
void TFormMain::ButtonExecuteClick()
{
    const TConversionReport report = [this] {
        const TWaitCursor waiting;
        return RunConversion(MakeConversionSettings(ReadFormFields(Reader())));
    }();
    ShowNotice(NoticeText(report));
}

void TFormMain::ButtonExitClick()
{
    PostMessageW(Window.Get(), WM_CLOSE, 0, 0);
}

HWND TFormMain::ControlHandle(TControlId id) const
{
    return FormControl(Window.Get(), id);
}

TControlReader TFormMain::Reader() const
{
    return {
        [this](TControlId id) {
            return id == TControlId::ComboBoxSheet ? SelectedSheetName() : WindowText(ControlHandle(id));
        },
        [this](TControlId id) { return SendMessageW(ControlHandle(id), BM_GETCHECK, 0, 0) == BST_CHECKED; },
        [this](TControlId id) { return static_cast<int>(SendMessageW(ControlHandle(id), CB_GETCURSEL, 0, 0)); },
    };
}

void TFormMain::SetFileFields(const TFileFields& fields)
{
    WriteFileFields(fields, Reader(),
                    [this](TControlId id, std::u16string_view text) { SetControlText(ControlHandle(id), text); });
}

}  // namespace tabulor
