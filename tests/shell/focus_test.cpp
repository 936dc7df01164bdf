#include "shell/focus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tabulor {
namespace {

using enum TControlId;

// The controls that Tab visits from EditSrcFile until it comes back there.
std::vector<TControlId> TabCycle(bool forward, TControlId selectedOutput,
                                 TSourceView view = TSourceView::Text)
{
    std::vector<TControlId> visited;
    TControlId current = EditSrcFile;
    do {
        current = NextTabStop(current, forward, selectedOutput, view);
        visited.push_back(current);
    } while (current != EditSrcFile && visited.size() < 100);
    return visited;
}

TEST(Focus, TabOrderEntersTheOutputKindsAtTheSelectedOne)
{
    const std::vector<TControlId> forward = {
        ButtonBrowseSrcFile, EditDestFile, ButtonBrowseDestFile, EditTitleRows, EditTitleCols,
        CheckBoxBorder, EditBorderValue, ComboBoxBorderUnit, EditEmptyCells, EditTableClass,
        EditRowClass, EditHeaderClass, EditCellClass, RadioButtonOutputHTML, CheckBoxLinkHeaders, EditCaption,
        ComboBoxSourceEncoding, ComboBoxFieldSeparator, ButtonExecute, ButtonExit, EditSrcFile};
    EXPECT_EQ(TabCycle(true, RadioButtonOutputHTML), forward);

    std::vector<TControlId> backward(forward.rbegin() + 1, forward.rend());
    backward.push_back(EditSrcFile);
    EXPECT_EQ(TabCycle(false, RadioButtonOutputHTML), backward);

    // Focus may sit on an option that is not the selected one; Tab leaves the group all the same.
    constexpr TSourceView text = TSourceView::Text;
    EXPECT_EQ(NextTabStop(RadioButtonOutputTable, true, RadioButtonOutputHTML5, text), CheckBoxLinkHeaders);
    EXPECT_EQ(NextTabStop(RadioButtonOutputHTML5, false, RadioButtonOutputXHTML, text), EditCellClass);
    EXPECT_EQ(NextTabStop(CheckBoxLinkHeaders, false, RadioButtonOutputHTML5, text), RadioButtonOutputHTML5);
    EXPECT_EQ(NextTabStop(LabelSrcFile, true, RadioButtonOutputTable, text), EditSrcFile);
    EXPECT_EQ(NextTabStop(std::nullopt, false, RadioButtonOutputTable, text), ButtonExit);
}

// For a workbook the sheet list and the box that keeps hidden rows stand where the encoding and
// separator lists stood, in the cycle as on the screen; the hidden lists are no stops.
TEST(Focus, TabSkipsTheHiddenLists)
{
    const std::vector<TControlId> workbook = {
        ButtonBrowseSrcFile, EditDestFile, ButtonBrowseDestFile, EditTitleRows, EditTitleCols,
        CheckBoxBorder, EditBorderValue, ComboBoxBorderUnit, EditEmptyCells, EditTableClass,
        EditRowClass, EditHeaderClass, EditCellClass, RadioButtonOutputXHTML, CheckBoxLinkHeaders, EditCaption,
        ComboBoxSheet, CheckBoxKeepHidden, ButtonExecute, ButtonExit, EditSrcFile};
    EXPECT_EQ(TabCycle(true, RadioButtonOutputXHTML, TSourceView::Workbook), workbook);
    const std::vector<TControlId> text = TabCycle(true, RadioButtonOutputXHTML, TSourceView::Text);
    EXPECT_EQ(std::count(text.begin(), text.end(), ComboBoxSheet), 0);
    EXPECT_EQ(NextTabStop(ComboBoxSheet, false, RadioButtonOutputTable, TSourceView::Workbook), EditCaption);
}

// A focused control that hides hands the focus to the one shown in its place.
TEST(Focus, MovesOffAControlThatHides)
{
    using enum TSourceView;
    const struct {
        std::optional<TControlId> Focused;
        TSourceView View;
        std::optional<TControlId> Moved;
    } cases[] = {
        {ComboBoxSourceEncoding, Workbook, ComboBoxSheet},
        {ComboBoxFieldSeparator, Workbook, CheckBoxKeepHidden},
        {ComboBoxSheet, Text, ComboBoxSourceEncoding},
        {CheckBoxKeepHidden, Text, ComboBoxFieldSeparator},
        {ComboBoxSheet, Workbook, std::nullopt},
        {ComboBoxFieldSeparator, Text, std::nullopt},
        {EditSrcFile, Workbook, std::nullopt},
        {std::nullopt, Text, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FocusMovedBy(c.Focused, c.View), c.Moved) << (c.Focused ? Control(*c.Focused).Name : "none");
}

// The four output kinds, across their two rows, make one round.
TEST(Focus, ArrowKeysGoRoundTheOutputKindsAndOneIsSelected)
{
    const std::vector<TControlId> round = {RadioButtonOutputTable, RadioButtonOutputHTML, RadioButtonOutputXHTML,
                                           RadioButtonOutputHTML5};
    for (std::size_t i = 0; i < round.size(); ++i) {
        const TControlId next = round[(i + 1) % round.size()];
        EXPECT_EQ(NextOutputKind(round[i], true), next) << Control(round[i]).Name;
        EXPECT_EQ(NextOutputKind(next, false), round[i]) << Control(next).Name;
        EXPECT_TRUE(IsOutputKind(round[i]));
    }
    EXPECT_FALSE(IsOutputKind(CheckBoxLinkHeaders));

    for (const TControlId selected : round)
        EXPECT_EQ(SelectedOutputKind([&](TControlId id) { return id == selected; }), selected);
    // Other radio-like controls do not count, and a group with none checked reads as its first.
    EXPECT_EQ(SelectedOutputKind([](TControlId id) { return id == CheckBoxBorder; }), RadioButtonOutputTable);
}

// An edit selects its whole text to be typed over, unless the user just put the caret or a
// selection in it.
TEST(Focus, EditSelectsAllUnlessTheUserPlacedTheCaret)
{
    using enum TFocusCause;
    const struct {
        TFocusCause Cause;
        bool SelectsAll;
    } cases[] = {
        {PressOnControl, false}, {OtherPress, true},   {Tab, true},     {Backtab, true}, {Shortcut, true},
        {ActiveWindow, true},    {PopupClosed, false}, {MenuBar, true}, {Other, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectsAllOnFocus(c.Cause), c.SelectsAll) << static_cast<int>(c.Cause);
}

}  // namespace
}  // namespace tabulor
