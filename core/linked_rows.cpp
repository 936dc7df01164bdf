#include "linked_rows.h"

#include <algorithm>

#include "header_links.h"
#include "source_rows.h"

namespace tabulor {

namespace {

void AppendHeaders(TOutputLines& output, std::string_view columnIds, std::string_view rowIds)
{
    if (columnIds.empty() && rowIds.empty())
        return;
    output.Append(" headers=\"");
    output.Append(columnIds);
    if (!columnIds.empty() && !rowIds.empty())
        output.Append(" ");
    output.Append(rowIds);
    output.Append("\"");
}

}  // namespace

TLinkedRows::TLinkedRows(std::string_view text, const TTableSettings& settings, const TCellReading& reading,
                         const TRowWriter& rows)
    : Rows(rows),
      Stem(reading.IdStem),
      Utf8(reading.Utf8),
      Separator(reading.Separator),
      HeaderRows(HeaderCount(settings.TitleRows)),
      HeaderCols(HeaderCount(settings.TitleCols))
{
    ReadHeaders(text);
    if (Simple)
        return;
    std::size_t cols = 0;
    for (const std::vector<bool>& cells : HeaderRowCells)
        cols = std::max(cols, cells.size());
    for (std::size_t col = 0; col < cols; ++col)
        BodyColumnIds.push_back(ColumnIdsAbove(col, HeaderRows));
}

// Simple or not is decided on the header cells as they are written: the header rows and columns
// that hold one. The rows below the header rows are read while the header columns may still
// turn the table from simple.
void TLinkedRows::ReadHeaders(std::string_view text)
{
    std::size_t rowsHolding = 0;
    THeaderColumns columns;
    for (std::string_view row : TSourceRows(text, Separator)) {
        const bool headerRow = HeaderRowCells.size() < HeaderRows;
        if (!headerRow) {
            Grouped_ = HeaderRows > 0;
            if (rowsHolding > 1 || !columns.FitScope() || HeaderCols == 0)
                break;
        }
        std::vector<bool> cells;
        for (bool last = false; !last && (headerRow || cells.size() < HeaderCols);) {
            const std::size_t end = Rows.FieldEnd(row);
            cells.push_back(!BlankField(row.substr(0, end)));
            last = end == row.size();
            row.remove_prefix(std::min(end + 1, row.size()));
        }
        for (std::size_t col = 0; col < std::min(cells.size(), HeaderCols); ++col)
            columns.Add(col, cells[col], !headerRow);
        if (headerRow) {
            rowsHolding += std::find(cells.begin(), cells.end(), true) != cells.end() ? 1 : 0;
            HeaderRowCells.push_back(std::move(cells));
        }
    }
    Simple = rowsHolding <= 1 && columns.FitScope();
}

// A quoted field's quotes are no text of its own.
bool TLinkedRows::BlankField(std::string_view field) const
{
    if (Separator == TFieldSeparator::Tab || field.empty() || field.front() != '"')
        return IsBlankText(field, Utf8);
    const std::size_t end = std::min(QuotedFieldEnd(field, 0), field.size());
    const bool closed = end >= 2 && field[end - 1] == '"';
    return IsBlankText(field.substr(1, end - 1 - (closed ? 1 : 0)), Utf8) && IsBlankText(field.substr(end), Utf8);
}

std::string TLinkedRows::ColumnIdsAbove(std::size_t col, std::size_t row) const
{
    std::string ids;
    for (std::size_t above = 0; above < std::min(row, HeaderRowCells.size()); ++above) {
        if (col < HeaderRowCells[above].size() && HeaderRowCells[above][col]) {
            if (!ids.empty())
                ids += ' ';
            AppendId(ids, Stem, {static_cast<std::uint32_t>(above), static_cast<std::uint32_t>(col)});
        }
    }
    return ids;
}

std::string_view TLinkedRows::ColumnIds(std::size_t col) const
{
    return col < BodyColumnIds.size() ? std::string_view(BodyColumnIds[col]) : std::string_view();
}

std::string TLinkedRows::HeaderAttribute(std::size_t row, std::size_t col, bool columnHeader) const
{
    std::string attribute;
    if (!Simple)
        AppendIdAttribute(attribute, Stem, {static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(col)});
    AppendScopeAttribute(attribute, columnHeader);
    return attribute;
}

void TLinkedRows::AddRow(std::string_view text, std::size_t row, TOutputLines& output) const
{
    if (row == 0 && Grouped_)
        output.AddLine(HeadOpening);
    if (row < HeaderRows)
        AddHeaderRow(text, row, output);
    else
        AddBodyRow(text, row, output);
    if (row + 1 == HeaderRows && Grouped_) {
        output.AddLine(HeadClosing);
        output.AddLine(BodyOpening);
    }
}

void TLinkedRows::AddHeaderRow(std::string_view text, std::size_t row, TOutputLines& output) const
{
    Rows.Cells().BeginRow(output);
    const std::vector<bool>& cells = HeaderRowCells[row];
    for (std::size_t col = 0; col < cells.size(); ++col) {
        const std::size_t end = Rows.FieldEnd(text);
        const std::string above = Simple ? std::string() : ColumnIdsAbove(col, row);
        output.Append(Rows.Cells().TagStart(cells[col]));
        if (cells[col])
            output.Append(HeaderAttribute(row, col, true));
        AppendHeaders(output, above, {});
        AddCellText(cells[col], text.substr(0, end), output);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    Rows.Cells().EndRow(output);
}

// The header columns' cells a cell at a time; the data cells so too where they name their
// headers, else at the row writer's pace.
void TLinkedRows::AddBodyRow(std::string_view text, std::size_t row, TOutputLines& output) const
{
    if (Simple && HeaderCols == 0) {
        Rows.AddRow(text, row, output);
        return;
    }
    Rows.Cells().BeginRow(output);
    std::string rowIds;
    std::size_t col = 0;
    for (; col < HeaderCols; ++col) {
        const std::size_t end = Rows.FieldEnd(text);
        const std::string_view field = text.substr(0, end);
        const bool header = !BlankField(field);
        output.Append(Rows.Cells().TagStart(header));
        if (header)
            output.Append(HeaderAttribute(row, col, false));
        if (!Simple)
            AppendHeaders(output, ColumnIds(col), rowIds);
        AddCellText(header, field, output);
        if (header && !Simple) {
            if (!rowIds.empty())
                rowIds += ' ';
            AppendId(rowIds, Stem, {static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(col)});
        }
        if (end == text.size()) {
            Rows.Cells().EndRow(output);
            return;
        }
        text.remove_prefix(end + 1);
    }
    if (Simple || (BodyColumnIds.size() <= col && rowIds.empty())) {
        Rows.AddDataCells(text, output);
        return;
    }
    for (bool last = false; !last; ++col) {
        const std::size_t end = Rows.FieldEnd(text);
        output.Append(Rows.Cells().TagStart(false));
        AppendHeaders(output, ColumnIds(col), rowIds);
        AddCellText(false, text.substr(0, end), output);
        last = end == text.size();
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    Rows.Cells().EndRow(output);
}

void TLinkedRows::AddCellText(bool header, std::string_view field, TOutputLines& output) const
{
    output.Append(">");
    Rows.AddCellText(field, output);
    output.Append(TCellMarkup::ClosingTag(header));
}

}  // namespace tabulor
