#include "shell/layout.h"
#include "shell/list_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <vector>
#include <stdexcept>

namespace tabulor {

void PrintTo(const TRect& rect, std::ostream* out)
{
    *out << "{" << rect.Left << ", " << rect.Top << ", " << rect.Width << " x " << rect.Height << "}";
}

namespace {

// Every control fits the client area, no two focusable controls share a tab order, and every
// drop-down list but the sheet list, which a workbook fills, and nothing else, has entries.
TEST(Layout, ControlsFitAndTabOrdersAreDistinct)
{
    std::set<int> orders;
    for (const TControlLayout& control : FormControls()) {
        EXPECT_GE(control.Bounds.Left, 0) << control.Name;
        EXPECT_LE(control.Bounds.Left + control.Bounds.Width, FormClientSize.Width) << control.Name;
        EXPECT_LE(control.Bounds.Top + control.Bounds.Height, FormClientSize.Height) << control.Name;
        if (control.TabOrder != NoTabStop) {
            EXPECT_TRUE(orders.insert(control.TabOrder).second) << control.Name;
        }
        EXPECT_EQ(control.TabOrder == NoTabStop, control.Kind == TControlKind::Label) << control.Name;
        if (control.Kind == TControlKind::ComboBox) {
            EXPECT_EQ(ListEntries(control.Id).empty(), control.Id == TControlId::ComboBoxSheet) << control.Name;
        } else {
            EXPECT_THROW(ListEntries(control.Id), std::out_of_range) << control.Name;
        }
    }
    EXPECT_EQ(ControlNamed("EditBorderValue"), TControlId::EditBorderValue);
    EXPECT_EQ(ControlNamed("EditNothing"), std::nullopt);
}

// The window is as large as its controls and the margin that they keep from its top left corner:
// a row added grows it by what the row takes, and no row is left out of it.
TEST(Layout, WindowHoldsItsControlsWithinEqualMargins)
{
    TRect reach = FormControls().front().Bounds;
    int right = 0;
    int bottom = 0;
    for (const TControlLayout& control : FormControls()) {
        reach.Left = std::min(reach.Left, control.Bounds.Left);
        reach.Top = std::min(reach.Top, control.Bounds.Top);
        right = std::max(right, control.Bounds.Left + control.Bounds.Width);
        bottom = std::max(bottom, control.Bounds.Top + control.Bounds.Height);
    }
    EXPECT_EQ(reach.Left, reach.Top);
    EXPECT_EQ(FormClientSize.Width - right, reach.Left);
    EXPECT_EQ(FormClientSize.Height - bottom, reach.Top);
}

// Every control has a name to be read out, and no two controls that take the focus share one,
// which would leave a screen reader's user guessing between them. Each label names the field
// right after it and any other control is read out by its text; the table names a control itself
// only where neither would do: a field without a label before it, or a control whose text another
// one shows too.
TEST(Layout, EveryControlHasANameOfItsOwn)
{
    const std::span<const TControlLayout> controls = FormControls();
    std::set<std::u16string_view> names;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const TControlLayout& control = controls[i];
        const std::u16string_view name = AccessibleName(control.Id);
        EXPECT_FALSE(name.empty()) << control.Name;
        if (control.TabOrder != NoTabStop) {
            EXPECT_TRUE(names.insert(name).second) << control.Name;
        }
        const bool afterLabel = i > 0 && controls[i - 1].Kind == TControlKind::Label;
        if (control.Kind == TControlKind::Label) {
            ASSERT_LT(i + 1, controls.size());
            EXPECT_TRUE(IsField(controls[i + 1].Kind)) << control.Name;
        }
        if (!control.OwnAccessibleName.empty()) {
            EXPECT_EQ(name, control.OwnAccessibleName) << control.Name;
            const auto sameText = [&](const TControlLayout& other) { return other.Text == control.Text; };
            const bool textShared = std::count_if(controls.begin(), controls.end(), sameText) > 1;
            EXPECT_TRUE(IsField(control.Kind) ? !afterLabel : textShared) << control.Name;
        } else if (IsField(control.Kind)) {
            ASSERT_TRUE(afterLabel) << control.Name;
            EXPECT_EQ(name, controls[i - 1].Text) << control.Name;
        } else {
            EXPECT_EQ(name, control.Text) << control.Name;
        }
    }
}

// The output kinds make two rows, the HTML5 document alone on the second, under the first
// option; each row is read left to right.
TEST(Layout, OutputKindsInTwoRows)
{
    using enum TControlId;
    const std::vector<std::vector<TControlId>> rows = RadioButtonRows();
    ASSERT_EQ(rows, (std::vector<std::vector<TControlId>>{
                        {RadioButtonOutputTable, RadioButtonOutputHTML, RadioButtonOutputXHTML},
                        {RadioButtonOutputHTML5}}));
    for (const std::vector<TControlId>& row : rows) {
        for (std::size_t i = 1; i < row.size(); ++i)
            EXPECT_LT(Control(row[i - 1]).Bounds.Left, Control(row[i]).Bounds.Left) << Control(row[i]).Name;
    }
    const TRect first = Control(RadioButtonOutputTable).Bounds;
    const TRect html5 = Control(RadioButtonOutputHTML5).Bounds;
    EXPECT_EQ(html5.Left, first.Left);
    EXPECT_GE(html5.Top, first.Top + first.Height);
}

bool SameRow(const TRect& p, const TRect& q)
{
    return p.Top < q.Top + q.Height && q.Top < p.Top + p.Height;
}

bool Overlap(const TRect& p, const TRect& q)
{
    return SameRow(p, q) && p.Left < q.Left + q.Width && q.Left < p.Left + p.Width;
}

// A control that shows for one view alone has, in its place, one that shows for the other, each
// view having some: on its row, anchored as it is, and over it for one that takes the focus, which
// moves there. A control that always shows stands in its own place. Two controls that share a
// place never show together.
TEST(Layout, SourceOptionsShowForTheirView)
{
    int onlyForText = 0;
    int onlyForWorkbook = 0;
    for (const TControlLayout& control : FormControls()) {
        const bool forText = IsShown(control.Id, TSourceView::Text);
        const bool forWorkbook = IsShown(control.Id, TSourceView::Workbook);
        const TControlId inPlace = ShownInPlaceOf(control.Id);
        EXPECT_TRUE(forText || forWorkbook) << control.Name;
        if (forText == forWorkbook) {
            EXPECT_EQ(inPlace, control.Id) << control.Name;
            continue;
        }
        (forText ? onlyForText : onlyForWorkbook) += 1;
        const TSourceView other = forText ? TSourceView::Workbook : TSourceView::Text;
        EXPECT_TRUE(IsShown(inPlace, other)) << control.Name;
        EXPECT_TRUE(SameRow(Control(inPlace).Bounds, control.Bounds)) << control.Name;
        EXPECT_EQ(Control(inPlace).Anchors, control.Anchors) << control.Name;
        if (control.TabOrder != NoTabStop) {
            EXPECT_TRUE(Overlap(Control(inPlace).Bounds, control.Bounds)) << control.Name;
        }
    }
    EXPECT_GT(onlyForText, 0);
    EXPECT_GT(onlyForWorkbook, 0);
    for (const TSourceView view : {TSourceView::Text, TSourceView::Workbook}) {
        for (const TControlLayout& a : FormControls()) {
            for (const TControlLayout& b : FormControls()) {
                EXPECT_FALSE(a.Id != b.Id && Overlap(a.Bounds, b.Bounds) && IsShown(a.Id, view)
                             && IsShown(b.Id, view))
                    << a.Name << " and " << b.Name;
            }
        }
    }
}

TEST(Layout, ScalesWithTheTextHeight)
{
    EXPECT_EQ(FontPixelHeight(96), 11);
    EXPECT_EQ(FontPixelHeight(120), 13);
    EXPECT_EQ(FontPixelHeight(144), 16);
    EXPECT_EQ(FontPixelHeight(192), 21);
    EXPECT_EQ(ScaleToText(TRect{16, 32, 513, 21}, 13), (TRect{16, 32, 513, 21}));
    EXPECT_EQ(ScaleToText(TRect{16, 32, 513, 21}, 26), (TRect{32, 64, 1026, 42}));
    // 641 x 385 at a text height of 16 (120 dpi): 788.9 and 473.8, rounded.
    EXPECT_EQ(ScaleToText(TSize{641, 385}, 16), (TSize{789, 474}));
    EXPECT_EQ(ScaleToText(13, 19), 19);
    EXPECT_EQ(ScaleToText(1, 19), 1);
}

TEST(Layout, AnchorsKeepTheirEdgesDistance)
{
    const TRect designed{16, 32, 513, 21};
    const TSize laidOutClient{641, 329};
    const TSize grown{741, 379};
    using enum TAnchor;
    EXPECT_EQ(AnchoredRect(designed, Left | Top, grown, laidOutClient), designed);
    EXPECT_EQ(AnchoredRect(designed, Left | Top | Right, grown, laidOutClient), (TRect{16, 32, 613, 21}));
    EXPECT_EQ(AnchoredRect(designed, Top | Right, grown, laidOutClient), (TRect{116, 32, 513, 21}));
    EXPECT_EQ(AnchoredRect(designed, Right | Bottom, grown, laidOutClient), (TRect{116, 82, 513, 21}));
    EXPECT_EQ(AnchoredRect(designed, Left | Top | Right | Bottom, grown, laidOutClient), (TRect{16, 32, 613, 71}));
    EXPECT_EQ(AnchoredRect(designed, Top | Right, {631, 329}, laidOutClient), (TRect{6, 32, 513, 21}));
    EXPECT_EQ(AnchoredRect(designed, Right | Bottom, {789, 405}, {789, 405}), designed);
}

// The output radio buttons at the common resolutions, with their texts as Wine measures them
// in the window font there (wider than it draws them at the smaller sizes), each after the
// system's mark and an average character. Where a text needs more than its button, the
// button widens; a button that the one before reaches is pushed right, and the row moves back
// left into its gaps rather than pass the window's edge.
TEST(Layout, RadioButtonsMakeRoomForTheirTexts)
{
    using enum TControlId;
    constexpr TControlId radios[] = {RadioButtonOutputTable, RadioButtonOutputHTML, RadioButtonOutputXHTML};
    const struct {
        int Dpi, TextHeight, Mark, AverageChar;
        int Texts[3];
        std::optional<std::vector<TRect>> Expected;
    } cases[] = {
        {96, 13, 13, 7, {169, 194, 200}, std::vector<TRect>{{16, 256, 189, 17}, {207, 256, 214, 17}, {421, 256, 220, 17}}},
        {120, 16, 17, 8, {189, 224, 232}, std::nullopt},
        {144, 19, 21, 10, {234, 277, 286}, std::vector<TRect>{{23, 374, 265, 25}, {304, 374, 308, 25}, {620, 374, 317, 25}}},
        {168, 23, 23, 11, {266, 318, 329}, std::nullopt},
        {192, 25, 27, 13, {296, 354, 366}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dpi);
        std::vector<TRect> laidOut;
        std::vector<int> needed;
        for (std::size_t i = 0; i < std::size(radios); ++i) {
            laidOut.push_back(ScaleToText(Control(radios[i]).Bounds, c.TextHeight));
            needed.push_back(c.Mark + c.AverageChar + c.Texts[i]);
        }
        const int clientWidth = ScaleToText(FormClientSize.Width, c.TextHeight);
        const std::vector<TRect> rects = RadioButtonRects(laidOut, needed, clientWidth);
        if (c.Expected) {
            EXPECT_EQ(rects, *c.Expected);
        }
        ASSERT_EQ(rects.size(), laidOut.size());
        int previousRight = laidOut.front().Left;
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_EQ(rects[i].Top, laidOut[i].Top);
            EXPECT_EQ(rects[i].Height, laidOut[i].Height);
            EXPECT_GE(rects[i].Left, previousRight);
            EXPECT_GE(rects[i].Width, std::max(laidOut[i].Width, needed[i]));
            previousRight = rects[i].Left + rects[i].Width;
        }
        EXPECT_LE(previousRight, clientWidth);
    }
    // Texts that fit leave the row as laid out; a row too narrow for them is cut at the edge.
    const TRect room[] = {{16, 256, 177, 17}, {208, 256, 201, 17}};
    EXPECT_EQ(RadioButtonRects(room, std::vector<int>{100, 150}, 641), (std::vector<TRect>(room, room + 2)));
    EXPECT_EQ(RadioButtonRects(room, std::vector<int>{200, 250}, 400),
              (std::vector<TRect>{{16, 256, 200, 17}, {216, 256, 184, 17}}));
    EXPECT_THROW(RadioButtonRects(room, std::vector<int>{100}, 641), std::invalid_argument);
}

}  // namespace
}  // namespace tabulor
