// The main window's creation from the layout table, and its layout at every resolution.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layout.h"
#include "shell/list_entries.h"
#include "shell/placement.h"
#include "shell/spin_field.h"
#include "win32/accessible_names.h"
#include "win32/control_ids.h"
#include "win32/focus_select.h"
#include "win32/form_main.h"
#include "win32/geometry.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

struct TSystemControl {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

// No control's text carries an access key: labels show an ampersand as it is.
TSystemControl SystemControlFor(TControlKind kind)
{
    switch (kind) {
    case TControlKind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case TControlKind::Edit:
        return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case TControlKind::SpinEdit:
        return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE};
    case TControlKind::Button:
        return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case TControlKind::CheckBox:
        return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case TControlKind::ComboBox:
        return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case TControlKind::RadioButton:
        return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    }
    return {L"STATIC", 0, 0};
}

// The window starts with the controls of a text source.
HWND CreateSystemControl(HWND parent, const TControlLayout& entry, bool startsGroup, HINSTANCE instance)
{
    const TSystemControl system = SystemControlFor(entry.Kind);
    const DWORD visible = IsShown(entry.Id, TSourceView::Text) ? WS_VISIBLE : 0;
    return CreateWindowExW(system.ExStyle, system.ClassName, ToWide(entry.Text).c_str(),
                           WS_CHILD | visible | system.Style | (startsGroup ? WS_GROUP : 0), 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(entry.Id))),
                           instance, nullptr);
}

// Screen readers name a field after the static text right before it in the z-order, anything
// else after its text, which gives the table's name for every control but those that the table
// names itself: an invisible label before such a field, or an answer of the control's own, gives
// them theirs.
HWND CreateNamedControl(HWND parent, const TControlLayout& entry, bool startsGroup, HINSTANCE instance)
{
    const std::u16string_view ownName = entry.OwnAccessibleName;
    if (IsField(entry.Kind) && !ownName.empty())
        CreateHiddenLabel(parent, ownName);
    HWND control = CreateSystemControl(parent, entry, startsGroup, instance);
    if (!IsField(entry.Kind) && !ownName.empty())
        GiveAccessibleName(control, ownName);
    return control;
}

// The user's decimal separator, which the spin fields take as a keystroke.
char16_t UserDecimalSeparator()
{
    wchar_t text[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8);
    return DecimalSeparatorFrom(FromWide(std::wstring_view(text, length > 0 ? length - 1 : 0)));
}

// The list starts at its first entry.
void FillList(HWND list, std::span<const std::u16string> entries)
{
    for (const std::u16string& entry : entries)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

// A drop-down list opens with room for every entry; the sheet list, for as many sheets as a
// workbook commonly has, and scrolls beyond.
int OpenListLines(TControlId id)
{
    constexpr int SheetListLines = 8;
    return id == TControlId::ComboBoxSheet ? SheetListLines : static_cast<int>(ListEntries(id).size());
}

SIZE TextExtent(HDC dc, std::u16string_view text)
{
    const std::wstring wide = ToWide(text);
    SIZE extent;
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return extent;
}

// A control's place at textHeight in a client area of clientSize, as the layout gives it; the radio
// buttons are fitted to their texts afterwards.
TRect PlaceOf(HDC dc, const TControlLayout& entry, const TSize& clientSize, int textHeight)
{
    TRect rect = AnchoredRect(ScaleToText(entry.Bounds, textHeight), entry.Anchors, clientSize,
                              ScaleToText(FormClientSize, textHeight));
    if (entry.Kind == TControlKind::Label) {
        // Labels size themselves to their text.
        const SIZE extent = TextExtent(dc, entry.Text);
        rect.Width = extent.cx;
        rect.Height = extent.cy;
    } else if (entry.Kind == TControlKind::ComboBox) {
        // A drop-down list's height is that of its open list.
        rect.Height += textHeight * (OpenListLines(entry.Id) + 1);
    }
    return rect;
}

// What a radio button's text takes: the system's mark at the button's resolution, then an
// average character, within which both Windows and Wine start the text, then the text.
int RadioTextWidth(HDC dc, HWND button, std::u16string_view text)
{
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    return GetSystemMetricsForDpi(SM_CXMENUCHECK, GetDpiForWindow(button)) + metrics.tmAveCharWidth
           + TextExtent(dc, text).cx;
}

// A text's width does not grow with its height at every size of the font (Tahoma at 16 pixels
// is relatively wider than at 11), and the layout's widths leave it little room: each row of radio
// buttons makes room for what its texts measure rather than cut their last letters.
void FitRadioButtons(HDC dc, std::span<const HWND> controls, std::vector<TRect>& places, int clientWidth)
{
    for (const std::vector<TControlId>& row : RadioButtonRows()) {
        std::vector<TRect> laidOut;
        std::vector<int> needed;
        for (const TControlId id : row) {
            const auto i = static_cast<std::size_t>(id);
            laidOut.push_back(places[i]);
            needed.push_back(RadioTextWidth(dc, controls[i], Control(id).Text));
        }
        const std::vector<TRect> fitted = RadioButtonRects(laidOut, needed, clientWidth);
        for (std::size_t k = 0; k < row.size(); ++k)
            places[static_cast<std::size_t>(row[k])] = fitted[k];
    }
}

TFont FormFont(UINT dpi)
{
    return TFont(CreateFontW(-FontPixelHeight(static_cast<int>(dpi)), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ToWide(FormFontFamily).c_str()));
}

}  // namespace

void TFormMain::CreateControls(HINSTANCE instance)
{
    const char16_t separator = UserDecimalSeparator();
    bool firstRadio = true;
    for (const TControlLayout& entry : FormControls()) {
        // A radio group runs from the first radio button to the next control that starts a group.
        const bool startsGroup = entry.Kind != TControlKind::RadioButton || firstRadio;
        firstRadio = firstRadio && entry.Kind != TControlKind::RadioButton;
        HWND control = CreateNamedControl(Window.Get(), entry, startsGroup, instance);
        Controls.push_back(control);
        if (entry.Checked)
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
        if (entry.Kind == TControlKind::Edit)
            SelectAllOnFocus(control);
        else if (entry.Kind == TControlKind::SpinEdit)
            SpinEdits.push_back(std::make_unique<TSpinEdit>(control, separator));
        else if (entry.Kind == TControlKind::ComboBox)
            FillList(control, ListEntries(entry.Id));
    }
    DragAcceptFiles(Window.Get(), TRUE);
}

// The font grows with the resolution, and every length with the font's text height.
void TFormMain::LayOut(UINT dpi)
{
    TFont font = FormFont(dpi);
    {
        TMeasuringDC dc(Window.Get(), font.get());
        TEXTMETRICW metrics;
        GetTextMetricsW(dc.Handle(), &metrics);
        TextHeight = metrics.tmHeight;
    }
    for (HWND control : Controls)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    Font = std::move(font);
    FitFrame(dpi);
    PlaceControls();
    InvalidateRect(Window.Get(), nullptr, TRUE);
}

void TFormMain::PlaceControls()
{
    const TRect client = ClientArea(Window.Get());
    const TSize clientSize = {client.Width, client.Height};
    TMeasuringDC dc(Window.Get(), Font.get());
    std::vector<TRect> places;
    for (const TControlLayout& entry : FormControls())
        places.push_back(PlaceOf(dc.Handle(), entry, clientSize, TextHeight));
    FitRadioButtons(dc.Handle(), Controls, places, client.Width);
    for (std::size_t i = 0; i < places.size(); ++i)
        MoveWindow(Controls[i], places[i].Left, places[i].Top, places[i].Width, places[i].Height, TRUE);
    for (const auto& spin : SpinEdits)
        spin->LayOut(TextHeight);
    WidenOpenSheetList();
}

// The sheet list, narrowed beside the box that keeps hidden rows, opens as wide as its longest
// entry, as Qt's does of itself, with an average character's margin and room for the scroll bar
// of a workbook of many sheets.
void TFormMain::WidenOpenSheetList()
{
    HWND list = ControlHandle(TControlId::ComboBoxSheet);
    const TMeasuringDC dc(Window.Get(), Font.get());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc.Handle(), &metrics);
    int widest = 0;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        widest = std::max(widest, static_cast<int>(TextExtent(dc.Handle(), FromWide(entry)).cx));
    }
    const UINT dpi = GetDpiForWindow(list);
    const int frame = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) + 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + metrics.tmAveCharWidth + frame), 0);
}

void TFormMain::FitFrame(UINT dpi)
{
    const TSize client = ScaleToText(FormClientSize, TextHeight);
    RECT frame = {0, 0, client.Width, client.Height};
    AdjustWindowRectExForDpi(&frame, FormStyle, FALSE, FormExStyle, dpi);
    const TSize size = SizeOf(frame);
    SetWindowPos(Window.Get(), nullptr, 0, 0, size.Width, size.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The outer frame is centred on the primary screen.
void TFormMain::Centre()
{
    RECT frame;
    GetWindowRect(Window.Get(), &frame);
    const TPoint at =
        CentredTopLeft({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, SizeOf(frame));
    SetWindowPos(Window.Get(), nullptr, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormMain::FormDpiChanged(WPARAM wParam, const RECT& suggested)
{
    SetWindowPos(Window.Get(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(HIWORD(wParam));
}

}  // namespace tabulor
