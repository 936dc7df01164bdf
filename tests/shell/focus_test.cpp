#include "shell/focus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tabulor {
namespace {

using enum TControlId;

// The controls that Tab visits from EditSrcFile until it comes back there.
std::vector<TControlId> TabCycle(bool forward, TControlId selectedOutput)
{
    std::vector<TControlId> visited;
    TControlId current = EditSrcFile;
    do {
        current = NextTabStop(current, forward, selectedOutput);
        visited.push_back(current);
    } while (current != EditSrcFile && visited.size() < 100);
    return visited;
}

TEST(Focus, TabOrderEntersTheOutputKindsAtTheSelectedOne)
{
    const std::vector<TControlId> forward = {
        ButtonBrowseSrcFile, EditDestFile, ButtonBrowseDestFile, EditTitleRows, EditTitleCols,
        CheckBoxBorder, EditBorderValue, ComboBoxBorderUnit, EditEmptyCells, EditTableClass,
        EditRowClass, EditHeaderClass, EditCellClass, RadioButtonOutputHTML, ComboBoxSourceEncoding,
        ComboBoxFieldSeparator, ButtonExecute, ButtonExit, EditSrcFile};
    EXPECT_EQ(TabCycle(true, RadioButtonOutputHTML), forward);

    std::vector<TControlId> backward(forward.rbegin() + 1, forward.rend());
    backward.push_back(EditSrcFile);
    EXPECT_EQ(TabCycle(false, RadioButtonOutputHTML), backward);

    // Focus may sit on an option that is not the selected one; Tab leaves the group all the same.
    EXPECT_EQ(NextTabStop(RadioButtonOutputTable, true, RadioButtonOutputXHTML), ComboBoxSourceEncoding);
    EXPECT_EQ(NextTabStop(ComboBoxSourceEncoding, false, RadioButtonOutputXHTML), RadioButtonOutputXHTML);
    EXPECT_EQ(NextTabStop(LabelSrcFile, true, RadioButtonOutputTable), EditSrcFile);
    EXPECT_EQ(NextTabStop(std::nullopt, false, RadioButtonOutputTable), ButtonExit);
}

TEST(Focus, ArrowKeysGoRoundTheOutputKindsAndOneIsSelected)
{
    EXPECT_EQ(NextOutputKind(RadioButtonOutputTable, true), RadioButtonOutputHTML);
    EXPECT_EQ(NextOutputKind(RadioButtonOutputXHTML, true), RadioButtonOutputTable);
    EXPECT_EQ(NextOutputKind(RadioButtonOutputTable, false), RadioButtonOutputXHTML);
    EXPECT_EQ(NextOutputKind(RadioButtonOutputHTML, false), RadioButtonOutputTable);

    for (const TControlId selected : {RadioButtonOutputTable, RadioButtonOutputHTML, RadioButtonOutputXHTML})
        EXPECT_EQ(SelectedOutputKind([&](TControlId id) { return id == selected; }), selected);
    // Other radio-like controls do not count, and a group with none checked reads as its first.
    EXPECT_EQ(SelectedOutputKind([](TControlId id) { return id == CheckBoxBorder; }), RadioButtonOutputTable);
}

}  // namespace
}  // namespace tabulor
