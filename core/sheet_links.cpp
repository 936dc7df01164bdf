#include "sheet_links.h"

#include <algorithm>

namespace tabulor {

namespace {

bool ByPlace(const TMergedArea& a, const TMergedArea& b)
{
    return a.Top < b.Top || (a.Top == b.Top && a.Left < b.Left);
}

bool LeftToRight(const TMergedArea& a, const TMergedArea& b)
{
    return a.Left < b.Left || (a.Left == b.Left && a.Top < b.Top);
}

}  // namespace

TSheetLinks::TSheetLinks(TSheetSource& sheet, const TMergeLayout& merges, const TTableSettings& settings,
                         std::string_view stem)
    : Merges(merges),
      Stem(stem),
      Rows(sheet.Rows()),
      Cols(sheet.Cols()),
      HeaderRows(static_cast<std::uint32_t>(std::min<std::size_t>(HeaderCount(settings.TitleRows), Rows))),
      HeaderCols(static_cast<std::uint32_t>(std::min<std::size_t>(HeaderCount(settings.TitleCols), Cols))),
      RowTexts(std::size_t{HeaderRows} * Cols),
      ColTexts(std::size_t{Rows - HeaderRows} * HeaderCols)
{
    ReadHeaderTexts(sheet);
    FindHeaderCells();
    IndexRowHeaders();
    FindBodyStart();
    Decide();
}

void TSheetLinks::ReadHeaderTexts(TSheetSource& sheet)
{
    for (const TSheetCell* cell = sheet.NextCell(); cell != nullptr; cell = sheet.NextCell()) {
        if (cell->Row < HeaderRows)
            RowTexts[std::size_t{cell->Row} * Cols + cell->Col] = !IsBlankText(cell->Text, true);
        else if (cell->Col < HeaderCols)
            ColTexts[std::size_t{cell->Row - HeaderRows} * HeaderCols + cell->Col] = !IsBlankText(cell->Text, true);
    }
    sheet.Rewind();
}

bool TSheetLinks::Header(std::uint32_t row, std::uint32_t col) const
{
    if (row < HeaderRows)
        return RowTexts[std::size_t{row} * Cols + col];
    return col < HeaderCols && ColTexts[std::size_t{row - HeaderRows} * HeaderCols + col];
}

bool TSheetLinks::CellAt(std::uint32_t row, std::uint32_t col, TMergedArea& area) const
{
    if (!Merges.Covered(row, col)) {
        area = {row, col, row, col};
        return true;
    }
    const std::vector<TMergedArea>& areas = Merges.Areas();
    const auto found = std::lower_bound(areas.begin(), areas.end(), TMergedArea{row, col, row, col}, ByPlace);
    if (found == areas.end() || found->Top != row || found->Left != col)
        return false;
    area = *found;
    return true;
}

void TSheetLinks::FindHeaderCells()
{
    ColumnHeadersAt.resize(Cols);
    TMergedArea area;
    for (std::uint32_t row = 0; row < HeaderRows; ++row) {
        for (std::uint32_t col = 0; col < Cols; ++col) {
            if (!Header(row, col) || !CellAt(row, col, area))
                continue;
            for (std::uint32_t covered = area.Left; covered <= area.Right; ++covered)
                ColumnHeadersAt[covered].push_back(static_cast<std::uint32_t>(ColumnHeaders.size()));
            ColumnHeaders.push_back(area);
        }
    }
    for (std::uint32_t row = HeaderRows; row < Rows; ++row) {
        for (std::uint32_t col = 0; col < HeaderCols; ++col) {
            if (Header(row, col) && CellAt(row, col, area))
                RowHeaders.push_back(area);
        }
    }
}

// Each row's header cells, left to right, then top to bottom.
void TSheetLinks::IndexRowHeaders()
{
    RowHeadersFrom.assign(std::size_t{Rows} + 1, 0);
    for (const TMergedArea& area : RowHeaders) {
        for (std::uint32_t row = area.Top; row <= area.Bottom; ++row)
            ++RowHeadersFrom[row + 1];
    }
    for (std::uint32_t row = 0; row < Rows; ++row)
        RowHeadersFrom[row + 1] += RowHeadersFrom[row];
    RowHeadersAt.resize(RowHeadersFrom[Rows]);
    std::vector<std::uint32_t> next(RowHeadersFrom.begin(), RowHeadersFrom.end() - 1);
    for (std::uint32_t index = 0; index < RowHeaders.size(); ++index) {
        for (std::uint32_t row = RowHeaders[index].Top; row <= RowHeaders[index].Bottom; ++row)
            RowHeadersAt[next[row]++] = index;
    }
    for (std::uint32_t row = 0; row < Rows; ++row) {
        std::sort(RowHeadersAt.begin() + RowHeadersFrom[row], RowHeadersAt.begin() + RowHeadersFrom[row + 1],
                  [&](std::uint32_t a, std::uint32_t b) { return LeftToRight(RowHeaders[a], RowHeaders[b]); });
    }
}

// Groups only where both hold a row. The row at the boundary is written: no cell covers it from
// above.
void TSheetLinks::FindBodyStart()
{
    std::uint32_t boundary = HeaderRows;
    for (const TMergedArea& area : Merges.Areas()) {
        if (area.Top < boundary && area.Bottom >= boundary)
            boundary = area.Bottom + 1;
    }
    BodyStart_ = boundary > 0 && boundary < Rows ? boundary : 0;
}

// Decided on the table as written: the rows and columns that hold a header cell, the spans that
// are written, and what a browser reading scope makes of the header columns.
void TSheetLinks::Decide()
{
    const auto spans = [&](const TMergedArea& area) {
        return Merges.RowSpan(area) > 1 || Merges.ColSpan(area) > 1;
    };
    const bool anySpan = std::any_of(ColumnHeaders.begin(), ColumnHeaders.end(), spans)
                         || std::any_of(RowHeaders.begin(), RowHeaders.end(), spans);
    const bool manyRows = !ColumnHeaders.empty() && ColumnHeaders.front().Top != ColumnHeaders.back().Top;
    if (anySpan || manyRows) {
        Simple = false;
        return;
    }
    // No header cell spans here: a covered place of a written row is a blank cell's.
    THeaderColumns columns;
    TMergedArea area;
    for (std::uint32_t row = 0; row < Rows && columns.FitScope(); ++row) {
        for (std::uint32_t col = 0; col < HeaderCols && !Merges.Dropped(row); ++col)
            columns.Add(col, CellAt(row, col, area) && Header(row, col), row >= HeaderRows);
    }
    Simple = columns.FitScope();
}

THeaderPlace TSheetLinks::Place(const TMergedArea& area) const
{
    return {Merges.WrittenRow(area.Top), Merges.WrittenCol(area.Left)};
}

void TSheetLinks::AppendAttributes(std::string& text, const TMergedArea& area) const
{
    const bool header = Header(area.Top, area.Left);
    if (header && !Simple)
        AppendIdAttribute(text, Stem, Place(area));
    if (header)
        AppendScopeAttribute(text, area.Top < HeaderRows);
    if (!Simple)
        AppendHeaders(text, area);
}

// The header cells of the header rows above the cell whose columns meet its columns, top to
// bottom and left to right; then the header cells of the header columns below the header rows
// whose rows meet its rows and that stand left of it, left to right.
void TSheetLinks::AppendHeaders(std::string& text, const TMergedArea& area) const
{
    Places.clear();
    Found.clear();
    for (std::uint32_t col = area.Left; col <= area.Right; ++col) {
        for (const std::uint32_t index : ColumnHeadersAt[col]) {
            if (ColumnHeaders[index].Top < area.Top)
                Found.push_back(index);
        }
    }
    std::sort(Found.begin(), Found.end());
    Found.erase(std::unique(Found.begin(), Found.end()), Found.end());
    for (const std::uint32_t index : Found)
        Places.push_back(Place(ColumnHeaders[index]));
    if (area.Bottom >= HeaderRows) {
        Found.clear();
        for (std::uint32_t row = std::max(area.Top, HeaderRows); row <= area.Bottom; ++row) {
            for (std::uint32_t at = RowHeadersFrom[row]; at < RowHeadersFrom[row + 1]; ++at) {
                if (RowHeaders[RowHeadersAt[at]].Left < area.Left)
                    Found.push_back(RowHeadersAt[at]);
            }
        }
        std::sort(Found.begin(), Found.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return LeftToRight(RowHeaders[a], RowHeaders[b]); });
        Found.erase(std::unique(Found.begin(), Found.end()), Found.end());
        for (const std::uint32_t index : Found)
            Places.push_back(Place(RowHeaders[index]));
    }
    AppendHeadersAttribute(text, Stem, Places);
}

}  // namespace tabulor
