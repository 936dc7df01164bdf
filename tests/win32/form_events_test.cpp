// What the system tells the main window, handed to its handlers in the tests' own process: a
// file dropped on it, its activation, and a change of resolution.
#include <shlobj.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "shell/file_names.h"
#include "win32/geometry.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace tabulor {

void PrintTo(const TRect& rect, std::ostream* out)
{
    *out << "{" << rect.Left << ", " << rect.Top << ", " << rect.Width << " x " << rect.Height << "}";
}

namespace test {
namespace {

using enum TControlId;

// A drop as the shell hands one over: the names, wide, each ended by a zero and the list by one
// more, after a header with the point in the window's client area. The window frees it.
HDROP MakeDrop(const std::vector<std::u16string>& names, POINT at)
{
    std::wstring list;
    for (const std::u16string& name : names)
        list.append(ToWide(name)).push_back(L'\0');
    list.push_back(L'\0');
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(header + 1));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The control's place in its parent's client area.
TRect PlaceOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

POINT CentreOf(HWND control)
{
    const TRect place = PlaceOf(control);
    return {place.Left + place.Width / 2, place.Top + place.Height / 2};
}

TEST_F(FormMainTest, DroppedFileIsTheDestinationOnItsFieldAndTheSourceElsewhere)
{
    const TFileFields before = {u"C:\\données\\relevé.txt", u"C:\\pages\\relevé.htm"};
    const std::u16string dropped = u"C:\\reçus\\mars.csv";
    const struct {
        const char* Where;
        std::vector<std::u16string> Names;
        POINT At;
        bool OnDestinationField;
    } cases[] = {
        {"on the destination field", {dropped}, CentreOf(ControlWindow(EditDestFile)), true},
        {"on the source field", {dropped}, CentreOf(ControlWindow(EditSrcFile)), false},
        {"on the destination's browse button", {dropped}, CentreOf(ControlWindow(ButtonBrowseDestFile)), false},
        {"on the window between the controls", {dropped}, {1, 1}, false},
        {"two files on the destination field", {dropped, dropped}, CentreOf(ControlWindow(EditDestFile)), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Where);
        SetControlText(ControlWindow(EditSrcFile), before.SourceFileName);
        SetControlText(ControlWindow(EditDestFile), before.DestFileName);
        const std::optional<std::u16string> name = SingleFileName(c.Names);
        const TFileFields expected = name ? FileDropped(before, *name, c.OnDestinationField, FileSystem) : before;

        DropFiles(MakeDrop(c.Names, c.At));
        EXPECT_EQ(WindowText(ControlWindow(EditSrcFile)), expected.SourceFileName);
        EXPECT_EQ(WindowText(ControlWindow(EditDestFile)), expected.DestFileName);
    }
}

// The focus leaves with the window and comes back to the same control, unless the window comes
// back minimised.
TEST_F(FormMainTest, ActivationGivesTheFocusBackToTheControlThatHadIt)
{
    const struct {
        TControlId Focused;
        WPARAM Activation;
        bool FocusBack;
    } cases[] = {
        {EditEmptyCells, WA_ACTIVE, true},
        {ButtonExecute, WA_CLICKACTIVE, true},
        {EditRowClass, MAKEWPARAM(WA_ACTIVE, TRUE), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Control(c.Focused).Name);
        SetFocus(ControlWindow(c.Focused));
        Activate(WA_INACTIVE);
        SetFocus(nullptr);
        Activate(c.Activation);
        EXPECT_EQ(GetFocus(), c.FocusBack ? ControlWindow(c.Focused) : nullptr);
    }
}

int TextHeightOf(HWND window, HFONT font)
{
    const TMeasuringDC dc(window, font);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc.Handle(), &metrics);
    return metrics.tmHeight;
}

// At one and a half times the resolution, the font is the layout's at that resolution and every
// control takes the layout's place for the text height that the font has there. Labels size
// themselves to their text, a list's height holds its open list, and the radio buttons make room
// for their texts (below).
TEST_F(FormMainTest, ResolutionChangeGrowsTheFontAndTheControlsWithIt)
{
    const UINT dpi = DesignDpi * 3 / 2;
    RECT suggested;
    GetWindowRect(Main(), &suggested);
    DpiChanged(dpi, suggested);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(ControlWindow(EditSrcFile), WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    ASSERT_NE(GetObjectW(font, sizeof(logFont), &logFont), 0);
    EXPECT_EQ(logFont.lfHeight, -FontPixelHeight(static_cast<int>(dpi)));
    EXPECT_EQ(ToWide(FormFontFamily), logFont.lfFaceName);
    const int textHeight = TextHeightOf(Main(), font);
    EXPECT_GT(textHeight, DesignTextHeight);

    RECT client;
    GetClientRect(Main(), &client);
    const TSize designed = ScaleToText(FormClientSize, textHeight);
    for (const TControlLayout& entry : FormControls()) {
        SCOPED_TRACE(entry.Name);
        HWND control = ControlWindow(entry.Id);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), font);
        if (entry.Kind == TControlKind::Label || entry.Kind == TControlKind::ComboBox
            || entry.Kind == TControlKind::RadioButton)
            continue;
        EXPECT_EQ(PlaceOf(control), AnchoredRect(ScaleToText(entry.Bounds, textHeight), entry.Anchors,
                                                 SizeOf(client), designed));
    }
}

bool IsBox(TControlKind kind)
{
    return kind == TControlKind::RadioButton || kind == TControlKind::CheckBox;
}

bool Intersect(const TRect& p, const TRect& q)
{
    return p.Left < q.Left + q.Width && q.Left < p.Left + p.Width && p.Top < q.Top + q.Height
           && q.Top < p.Top + p.Height;
}

// At every common resolution each radio button and check box is at least as wide as its mark and
// its text measure, within the window, clear of every other control shown with it for either
// kind of source but the lists, whose windows hold their open lists; each radio button on the
// layout's row, after the one before it.
TEST_F(FormMainTest, BoxesMakeRoomForTheirTextsAtEveryResolution)
{
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        SCOPED_TRACE(dpi);
        RECT suggested;
        GetWindowRect(Main(), &suggested);
        DpiChanged(dpi, suggested);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(ControlWindow(ButtonExit), WM_GETFONT, 0, 0));
        const int textHeight = TextHeightOf(Main(), font);
        const TMeasuringDC dc(Main(), font);
        RECT client;
        GetClientRect(Main(), &client);
        for (const TControlLayout& entry : FormControls()) {
            if (!IsBox(entry.Kind))
                continue;
            SCOPED_TRACE(entry.Name);
            HWND box = ControlWindow(entry.Id);
            const std::wstring text = ToWide(entry.Text);
            SIZE extent;
            GetTextExtentPoint32W(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &extent);
            const TRect place = PlaceOf(box);
            EXPECT_GE(place.Width, GetSystemMetricsForDpi(SM_CXMENUCHECK, GetDpiForWindow(box)) + extent.cx);
            EXPECT_LE(place.Left + place.Width, client.right);
            for (const TControlLayout& other : FormControls()) {
                const auto together = [&](TSourceView view) { return IsShown(other.Id, view) && IsShown(entry.Id, view); };
                if (other.Id != entry.Id && other.Kind != TControlKind::ComboBox
                    && (together(TSourceView::Text) || together(TSourceView::Workbook))) {
                    EXPECT_FALSE(Intersect(place, PlaceOf(ControlWindow(other.Id)))) << other.Name;
                }
            }
        }
        for (const std::vector<TControlId>& row : RadioButtonRows()) {
            int previousRight = 0;
            for (const TControlId id : row) {
                SCOPED_TRACE(Control(id).Name);
                const TRect place = PlaceOf(ControlWindow(id));
                EXPECT_GE(place.Left, previousRight);
                EXPECT_EQ(place.Top, ScaleToText(Control(id).Bounds.Top, textHeight));
                previousRight = place.Left + place.Width;
            }
        }
    }
}

}  // namespace
}  // namespace test
}  // namespace tabulor
