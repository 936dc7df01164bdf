#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "workbook/shown_sheet.h"

namespace {

using namespace tabulor;

using TPlace = std::pair<std::uint32_t, std::uint32_t>;
using TCells = std::map<TPlace, std::string>;

struct TRandomSheet {
    std::uint32_t Rows;
    std::uint32_t Cols;
    TCells Cells;
    std::vector<TCellArea> Merges;  // never overlapping
    std::set<std::uint32_t> HiddenRows;
    std::set<std::uint32_t> HiddenCols;
    // As the file hides them: ranges in any order, overlapping, some past the values.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> RowRanges;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ColRanges;
};

bool Free(const std::vector<TCellArea>& areas, const TCellArea& area)
{
    return std::none_of(areas.begin(), areas.end(), [&](const TCellArea& other) {
        return area.Top <= other.Bottom && other.Top <= area.Bottom && area.Left <= other.Right && other.Left <= area.Right;
    });
}

TRandomSheet MakeRandomSheet(std::mt19937& random)
{
    auto below = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
    TRandomSheet sheet{1 + below(9), 1 + below(9), {}, {}, {}, {}, {}, {}};
    for (std::uint32_t row = 0; row < sheet.Rows; ++row)
        for (std::uint32_t col = 0; col < sheet.Cols; ++col)
            if (below(3) == 0)
                sheet.Cells[{row, col}] = std::to_string(row) + ":" + std::to_string(col);
    for (int tries = below(5); tries > 0; --tries) {
        const std::uint32_t top = below(sheet.Rows + 1), left = below(sheet.Cols + 1);
        const TCellArea area{top, left, top + below(3), left + below(3)};
        if (Free(sheet.Merges, area))
            sheet.Merges.push_back(area);
    }
    for (auto* lines : {&sheet.RowRanges, &sheet.ColRanges}) {
        const std::uint32_t size = lines == &sheet.RowRanges ? sheet.Rows : sheet.Cols;
        for (int ranges = below(4); ranges > 0; --ranges) {
            const std::uint32_t first = below(size + 2);
            lines->push_back({first, first + below(3)});
        }
    }
    for (const auto& [first, last] : sheet.RowRanges)
        for (std::uint32_t row = first; row <= last; ++row)
            sheet.HiddenRows.insert(row);
    for (const auto& [first, last] : sheet.ColRanges)
        for (std::uint32_t col = first; col <= last; ++col)
            sheet.HiddenCols.insert(col);
    return sheet;
}

// Where each line lands once the hidden ones are gone, counted one by one.
std::map<std::uint32_t, std::uint32_t> ShownLines(const std::set<std::uint32_t>& hidden, std::uint32_t size)
{
    std::map<std::uint32_t, std::uint32_t> shown;
    for (std::uint32_t line = 0; line < size; ++line)
        if (!hidden.contains(line))
            shown.emplace(line, static_cast<std::uint32_t>(shown.size()));
    return shown;
}

struct TExpected {
    TCells Cells;
    std::vector<TCellArea> Merges;
    std::uint32_t Rows = 0;
    std::uint32_t Cols = 0;
};

// The sheet as it shows, worked out place by place over a grid wide enough for every area.
TExpected Expected(const TRandomSheet& sheet)
{
    const auto rows = ShownLines(sheet.HiddenRows, sheet.Rows + 4);
    const auto cols = ShownLines(sheet.HiddenCols, sheet.Cols + 4);
    TExpected expected;
    for (const auto& [place, text] : sheet.Cells)
        if (rows.contains(place.first) && cols.contains(place.second))
            expected.Cells[{rows.at(place.first), cols.at(place.second)}] = text;
    for (const TCellArea& area : sheet.Merges) {
        std::vector<std::uint32_t> areaRows, areaCols;
        for (std::uint32_t row = area.Top; row <= area.Bottom; ++row)
            if (rows.contains(row))
                areaRows.push_back(rows.at(row));
        for (std::uint32_t col = area.Left; col <= area.Right; ++col)
            if (cols.contains(col))
                areaCols.push_back(cols.at(col));
        if (areaRows.empty() || areaCols.empty())
            continue;
        expected.Merges.push_back({areaRows.front(), areaCols.front(), areaRows.back(), areaCols.back()});
        // The area's first shown place holds what its top-left holds, never a covered cell's text.
        const TPlace first{areaRows.front(), areaCols.front()};
        if (const auto text = sheet.Cells.find({area.Top, area.Left}); text != sheet.Cells.end())
            expected.Cells[first] = text->second;
        else
            expected.Cells.erase(first);
    }
    for (const auto& [place, text] : expected.Cells) {
        expected.Rows = std::max(expected.Rows, place.first + 1);
        expected.Cols = std::max(expected.Cols, place.second + 1);
    }
    return expected;
}

TSheet Finished(const TRandomSheet& random)
{
    TSheet sheet;
    for (const auto& [place, text] : random.Cells)
        sheet.AddCell(place.first, place.second, text);
    for (const TCellArea& area : random.Merges)
        sheet.AddMerge(area);
    for (const auto& [first, last] : random.RowRanges)
        sheet.HideRows(first, last);
    for (const auto& [first, last] : random.ColRanges)
        sheet.HideCols(first, last);
    sheet.Finish();
    return sheet;
}

TCells CellsOf(const TShownSheet& sheet)
{
    TCells cells;
    std::vector<TPlace> order;
    for (TShownSheet::TCursor cursor = sheet.Cursor(); !cursor.AtEnd(); cursor.Next()) {
        cells[{cursor.Current().Row, cursor.Current().Col}] = std::string(cursor.Current().Text);
        order.push_back({cursor.Current().Row, cursor.Current().Col});
    }
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()) && std::adjacent_find(order.begin(), order.end()) == order.end());
    return cells;
}

// Random sheets, their hidden lines given as ranges in any order, against the same rules worked
// out one place at a time; kept, the hidden lines change nothing.
TEST(ShownSheet, LeavesOutWhatTheSheetHides)
{
    std::mt19937 random(2026);
    for (int round = 0; round < 3000; ++round) {
        const TRandomSheet random_sheet = MakeRandomSheet(random);
        const TSheet sheet = Finished(random_sheet);
        const TExpected expected = Expected(random_sheet);
        const TShownSheet shown(sheet, false);
        ASSERT_EQ(CellsOf(shown), expected.Cells) << round;
        ASSERT_EQ(shown.Merges(), expected.Merges) << round;
        ASSERT_EQ(std::pair(shown.Rows(), shown.Cols()), std::pair(expected.Rows, expected.Cols)) << round;
        const auto inRectangle = [](const std::set<std::uint32_t>& lines, std::uint32_t size) {
            return static_cast<std::uint32_t>(std::count_if(lines.begin(), lines.end(), [&](auto line) { return line < size; }));
        };
        ASSERT_EQ(shown.LeftOutRows(), inRectangle(random_sheet.HiddenRows, sheet.Rows())) << round;
        ASSERT_EQ(shown.LeftOutCols(), inRectangle(random_sheet.HiddenCols, sheet.Cols())) << round;

        const TShownSheet kept(sheet, true);
        TCells all;
        for (const TSheet::TCell& cell : sheet.Cells())
            all[{cell.Row, cell.Col}] = std::string(cell.Text);
        ASSERT_EQ(CellsOf(kept), all) << round;
        ASSERT_EQ(kept.Merges(), sheet.Merges()) << round;
        ASSERT_EQ(kept.LeftOutRows() + kept.LeftOutCols(), 0u) << round;
    }
}

}  // namespace
