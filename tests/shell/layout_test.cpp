#include "shell/layout.h"
#include "shell/list_entries.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace tabulor {
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

// Every control has a name to be read out, and no two controls that take the focus share one,
// which would leave a screen reader's user guessing between them. A field is named by its
// label, a button by its caption, unless the table names them itself.
TEST(Layout, EveryControlHasANameOfItsOwn)
{
    std::set<std::u16string_view> names;
    for (const TControlLayout& control : FormControls()) {
        EXPECT_FALSE(AccessibleName(control.Id).empty()) << control.Name;
        if (control.TabOrder != NoTabStop) {
            EXPECT_TRUE(names.insert(AccessibleName(control.Id)).second) << control.Name;
        }
    }
    using enum TControlId;
    EXPECT_EQ(AccessibleName(EditTitleRows), Control(LabelTitleRows).Text);
    EXPECT_EQ(AccessibleName(ComboBoxFieldSeparator), Control(LabelFieldSeparator).Text);
    EXPECT_EQ(AccessibleName(ComboBoxSheet), u"Feuille :");
    EXPECT_EQ(AccessibleName(ButtonExecute), Control(ButtonExecute).Text);
    EXPECT_EQ(AccessibleName(ButtonBrowseDestFile), u"Parcourir... (fichier destination)");
    EXPECT_EQ(AccessibleName(EditBorderValue), u"Bordure : valeur");
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
// view having some: on its row, and over it for one that takes the focus, which moves there. A
// control that always shows stands in its own place. Two controls that share a place never show
// together.
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
    // 641 x 329 at a text height of 16 (120 dpi): 788.9 and 404.9, rounded.
    EXPECT_EQ(ScaleToText(FormClientSize, 16), (TSize{789, 405}));
    EXPECT_EQ(ScaleToText(13, 19), 19);
    EXPECT_EQ(ScaleToText(1, 19), 1);
}

TEST(Layout, AnchorsKeepTheirEdgesDistance)
{
    const TRect designed{16, 32, 513, 21};
    const TSize growth{100, 50};
    EXPECT_EQ(AnchoredRect(designed, akLeft | akTop, growth), designed);
    EXPECT_EQ(AnchoredRect(designed, akLeft | akTop | akRight, growth), (TRect{16, 32, 613, 21}));
    EXPECT_EQ(AnchoredRect(designed, akTop | akRight, growth), (TRect{116, 32, 513, 21}));
    EXPECT_EQ(AnchoredRect(designed, akRight | akBottom, growth), (TRect{116, 82, 513, 21}));
    EXPECT_EQ(AnchoredRect(designed, akLeft | akTop | akRight | akBottom, growth),
              (TRect{16, 32, 613, 71}));
    EXPECT_EQ(AnchoredRect(designed, akTop | akRight, {-10, 0}), (TRect{6, 32, 513, 21}));
}

}  // namespace
}  // namespace tabulor
