#include "shell/focus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabulor {
namespace {

// The controls that Tab visits from EditSrcFile until it comes back there.
std::vector<std::string_view> TabCycle(bool forward, std::string_view selectedOutput)
{
    std::vector<std::string_view> visited;
    std::string_view current = "EditSrcFile";
    do {
        current = NextTabStop(current, forward, selectedOutput);
        visited.push_back(current);
    } while (current != "EditSrcFile" && visited.size() < 100);
    return visited;
}

TEST(Focus, TabOrderEntersTheOutputKindsAtTheSelectedOne)
{
    const std::vector<std::string_view> forward = {
        "ButtonBrowseSrcFile", "EditDestFile", "ButtonBrowseDestFile", "EditTitleRows",
        "EditTitleCols", "CheckBoxBorder", "EditBorderValue", "ComboBoxBorderUnit",
        "EditEmptyCells", "EditTableClass", "EditRowClass", "EditHeaderClass", "EditCellClass",
        "RadioButtonOutputHTML", "ComboBoxSourceEncoding", "ComboBoxFieldSeparator",
        "ButtonExecute", "ButtonExit", "EditSrcFile"};
    EXPECT_EQ(TabCycle(true, "RadioButtonOutputHTML"), forward);

    std::vector<std::string_view> backward(forward.rbegin() + 1, forward.rend());
    backward.push_back("EditSrcFile");
    EXPECT_EQ(TabCycle(false, "RadioButtonOutputHTML"), backward);

    // Focus may sit on an option that is not the selected one; Tab leaves the group all the same.
    EXPECT_EQ(NextTabStop("RadioButtonOutputTable", true, "RadioButtonOutputXHTML"), "ComboBoxSourceEncoding");
    EXPECT_EQ(NextTabStop("ComboBoxSourceEncoding", false, "RadioButtonOutputXHTML"), "RadioButtonOutputXHTML");
    EXPECT_EQ(NextTabStop("LabelSrcFile", true, "RadioButtonOutputTable"), "EditSrcFile");
}

TEST(Focus, ArrowKeysGoRoundTheOutputKinds)
{
    EXPECT_EQ(NextOutputKind("RadioButtonOutputTable", true), "RadioButtonOutputHTML");
    EXPECT_EQ(NextOutputKind("RadioButtonOutputXHTML", true), "RadioButtonOutputTable");
    EXPECT_EQ(NextOutputKind("RadioButtonOutputTable", false), "RadioButtonOutputXHTML");
    EXPECT_EQ(NextOutputKind("RadioButtonOutputHTML", false), "RadioButtonOutputTable");
}

}  // namespace
}  // namespace tabulor
