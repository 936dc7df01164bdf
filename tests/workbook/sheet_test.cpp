#include "workbook/sheet.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/testkit/sheet_cells.h"
#include "workbook/workbook_fault.h"

namespace tabulor {
namespace {

using testkit::Placed;
using testkit::TPlaced;

TEST(SheetTest, OrdersCellsKeepsTheLastAtAPlaceAndMeasuresTheTexts)
{
    struct TCase {
        const char* Name;
        std::vector<TPlaced> Added;
        std::vector<TPlaced> Expected;
        std::uint32_t Rows;
        std::uint32_t Cols;
    };
    const TCase cases[] = {
        {"empty", {}, {}, 0, 0},
        {"in order", {{0, 0, "a"}, {0, 2, "b"}, {3, 1, "c"}}, {{0, 0, "a"}, {0, 2, "b"}, {3, 1, "c"}}, 4, 3},
        {"out of order", {{2, 0, "c"}, {0, 1, "b"}, {0, 0, "a"}}, {{0, 0, "a"}, {0, 1, "b"}, {2, 0, "c"}}, 3, 2},
        {"the last at a place", {{0, 0, "a"}, {1, 0, "x"}, {0, 0, "b"}, {1, 0, "y"}, {1, 0, "z"}},
         {{0, 0, "b"}, {1, 0, "z"}}, 2, 1},
        {"a repeat in order", {{0, 0, "a"}, {0, 0, "b"}}, {{0, 0, "b"}}, 1, 1},
        {"empty texts hold nothing", {{0, 0, "a"}, {5, 7, ""}, {0, 0, ""}}, {{0, 0, "a"}}, 1, 1},
        {"leading empties kept", {{4, 3, "z"}}, {{4, 3, "z"}}, 5, 4},
        {"the grid's last row", {{MaxSheetRows - 1, 0, "z"}}, {{MaxSheetRows - 1, 0, "z"}}, MaxSheetRows, 1},
        {"the grid's last column far below", {{0, 0, "a"}, {2'000, MaxSheetCols - 1, "z"}},
         {{0, 0, "a"}, {2'000, MaxSheetCols - 1, "z"}}, 2'001, MaxSheetCols},
        {"a row's cells after the next row's", {{1, 0, "c"}, {0, 5, "b"}, {1, 1, "d"}, {0, 0, "a"}},
         {{0, 0, "a"}, {0, 5, "b"}, {1, 0, "c"}, {1, 1, "d"}}, 2, 6},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSheet sheet("Feuille");
        for (const auto& [row, col, text] : c.Added)
            sheet.AddCell(row, col, text);
        sheet.Finish();
        EXPECT_EQ(Placed(sheet), c.Expected);
        EXPECT_EQ(sheet.Rows(), c.Rows);
        EXPECT_EQ(sheet.Cols(), c.Cols);
    }
}

// Megabytes of texts, some longer than the sheet's blocks, against a plain map of the places.
TEST(SheetTest, KeepsEveryTextAcrossBlocksInOrderOrNot)
{
    enum class TOrder { Rows, Reversed, OneLate, Repeated };
    for (const TOrder order : {TOrder::Rows, TOrder::Reversed, TOrder::OneLate, TOrder::Repeated}) {
        SCOPED_TRACE(static_cast<int>(order));
        std::vector<TPlaced> added;
        for (std::uint32_t i = 0; i < 3'000; ++i) {
            const std::size_t length = i % 1'000 == 7 ? (3u << 20) / (1 + i % 3) : 1 + i * 7 % 900;
            added.emplace_back(i / 12 * 3, i % 12 * 5, std::string(length, static_cast<char>('a' + i % 26)));
        }
        if (order == TOrder::Reversed)
            std::reverse(added.begin(), added.end());
        if (order == TOrder::OneLate)
            std::rotate(added.begin(), added.begin() + 1, added.end());
        if (order == TOrder::Repeated)
            for (std::size_t i = 0; i < 3'000; i += 11)
                added.emplace_back(std::get<0>(added[i]), std::get<1>(added[i]), "autre " + std::to_string(i));
        std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> expected;
        TSheet sheet;
        for (const auto& [row, col, text] : added) {
            sheet.AddCell(row, col, text);
            expected[{row, col}] = text;
        }
        sheet.Finish();
        std::vector<TPlaced> expectedCells;
        for (const auto& [place, text] : expected)
            expectedCells.emplace_back(place.first, place.second, text);
        EXPECT_TRUE(Placed(sheet) == expectedCells);
    }
}

TEST(SheetTest, ARectanglePastTheBudgetIsRefusedWithItsSize)
{
    struct TCase {
        std::vector<TPlaced> Added;
        bool Refused;
        std::uint32_t Rows;
        std::uint32_t Cols;
    };
    const TCase cases[] = {
        {{{0, 0, "a"}, {9'999, 4'999, "b"}}, false, 10'000, 5'000},  // just the budget
        {{{0, 0, "a"}, {10'000, 4'999, "b"}}, true, 10'001, 5'000},
        {{{0, 0, "a"}, {3'999, 16'383, "b"}, {0, 1, "c"}}, true, 4'000, 16'384},
        {{{1'048'575, 0, "a"}, {0, 47, "b"}}, true, 1'048'576, 48},
    };
    for (const TCase& c : cases) {
        TSheet sheet("Grande");
        for (const auto& [row, col, text] : c.Added)
            sheet.AddCell(row, col, text);
        if (!c.Refused) {
            EXPECT_NO_THROW(sheet.Finish());
            continue;
        }
        try {
            sheet.Finish();
            ADD_FAILURE() << "no fault for " << c.Rows << " x " << c.Cols;
        } catch (const EWorkbookFault& fault) {
            EXPECT_EQ(fault.Kind, EWorkbookFault::TKind::TooLarge);
            EXPECT_EQ(fault.Sheet, "Grande");
            EXPECT_EQ(fault.Rows, c.Rows);
            EXPECT_EQ(fault.Cols, c.Cols);
        }
    }
}

TEST(SheetTest, APlacePastTheGridIsAFaultOfTheFile)
{
    for (const auto& [row, col] : {std::pair{MaxSheetRows, 0u}, std::pair{0u, MaxSheetCols}}) {
        TSheet sheet;
        try {
            sheet.AddCell(row, col, "a");
            ADD_FAILURE() << row << ", " << col;
        } catch (const EWorkbookFault& fault) {
            EXPECT_EQ(fault.Kind, EWorkbookFault::TKind::Invalid);
        }
    }
}

}  // namespace
}  // namespace tabulor
