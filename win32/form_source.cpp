// What the source field names, as the main window shows it: a workbook's sheet list in place of
// a text's encoding and separator lists, and the workbook's sheets in that list.
#include "shell/focus.h"
#include "win32/form_main.h"
#include "win32/wait_cursor.h"
#include "win32/wide.h"

namespace tabulor {

// A name typed in the field is settled once the user is done with it.
void TFormMain::SourceFieldLeft()
{
    if (WindowText(ControlHandle(TControlId::EditSrcFile)) != SettledSource)
        SettleSource();
}

// For a workbook, its sheets are listed, the sheet chosen before kept where the workbook has one.
void TFormMain::SettleSource()
{
    const TWaitCursor waiting;
    const std::u16string source = WindowText(ControlHandle(TControlId::EditSrcFile));
    const TSourceState state = SourceStateOf(source, SelectedSheetName());
    if (state.View == TSourceView::Workbook)
        FillSheetList(state.Sheets);
    ShowSourceView(state.View);
    SettledSource = source;
}

// The control that takes the focus's place shows before it takes the focus; the others hide
// after. While another window is active, the focus to come back to moves instead: taking the
// focus would bring the window to the front.
void TFormMain::ShowSourceView(TSourceView view)
{
    View = view;
    const bool active = GetActiveWindow() == Window.Get();
    if (const auto moved = FocusMovedBy(IdOf(active ? GetFocus() : SavedFocus), view)) {
        HWND control = ControlHandle(*moved);
        ShowWindow(control, SW_SHOWNA);
        if (active)
            SetFocus(control);
        else
            SavedFocus = control;
    }
    for (const TControlLayout& entry : FormControls())
        ShowWindow(ControlHandle(entry.Id), IsShown(entry.Id, view) ? SW_SHOWNA : SW_HIDE);
}

void TFormMain::FillSheetList(const TSheetList& sheets)
{
    HWND list = ControlHandle(TControlId::ComboBoxSheet);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    SheetNames.clear();
    for (const TSheetChoice& choice : sheets.Choices) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(choice.Entry).c_str()));
        SheetNames.push_back(choice.Name);
    }
    if (!sheets.Choices.empty())
        SendMessageW(list, CB_SETCURSEL, sheets.Selected, 0);
    WidenOpenSheetList();
}

// The sheet's own name, without the entry's mark of a hidden sheet; none for an empty list.
std::u16string TFormMain::SelectedSheetName() const
{
    const LRESULT index = SendMessageW(ControlHandle(TControlId::ComboBoxSheet), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= SheetNames.size())
        return {};
    return SheetNames[static_cast<std::size_t>(index)];
}

}  // namespace tabulor
