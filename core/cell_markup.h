// A cell's markup, one for a text source's rows and a workbook sheet's table alike: the row's and
// the cells' opening tags with their classes, and any other attributes after the class; the
// closing tags; the empty-cell text; the line break; which cells are header cells; and a cell of
// UTF-8 text, entity-encoded a block at a time. Beside it, what the cells are read and written
// with (TCellReading: a text source's separator and encoding, the break's form, the ids' stem).
//
// It does not read a source, nor decide a cell's attributes other than its class: the row writer
// turns a text source's bytes into cells through byte tables made with these tags, and the
// sheet's table gives its cells their spans and their ties to their headers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "output_lines.h"
#include "source_format.h"
#include "table_settings.h"

namespace tabulor {

// The stem of the header cells' ids where the destination gives none.
inline constexpr std::string_view DefaultIdStem = "tableau";

// How the cells' text reads, how a line break is written, and the stem of the header cells' ids.
struct TCellReading {
    TFieldSeparator Separator = TFieldSeparator::Tab;
    bool Utf8 = false;  // else Windows-1252
    bool Xhtml = false;  // a break is "<br />" rather than "<br>"
    std::string_view IdStem = DefaultIdStem;
};

// Bytes of cells' text written between two reservations of output room.
inline constexpr std::size_t CellTextBlock = 16 * 1024;

class TCellMarkup {
public:
    TCellMarkup(const TTableSettings& settings, bool xhtml);

    // Whether a cell that begins at the row and column (from 0) is a header cell: it begins in the
    // header rows or columns.
    bool Header(std::size_t row, std::size_t col) const { return row < HeaderRows || col < HeaderCols; }
    // How many of the row's first cells are header cells: all of a header row's (npos).
    std::size_t HeaderCells(std::size_t row) const { return row < HeaderRows ? std::string_view::npos : HeaderCols; }

    std::string_view Tag(bool header) const { return header ? HeaderTag : DataTag; }
    // The opening tag without its '>', for attributes to follow.
    std::string_view TagStart(bool header) const
    {
        const std::string_view tag = Tag(header);
        return tag.substr(0, tag.size() - 1);
    }
    static std::string_view ClosingTag(bool header) { return header ? "</th>" : "</td>"; }
    std::string_view EmptyCellText() const { return EmptyText; }
    std::string_view LineBreak() const { return BreakText; }

    void BeginRow(TOutputLines& output) const { output.Append(RowTag); }
    void EndRow(TOutputLines& output) const
    {
        output.Append("</tr>");
        output.EndLine();
    }
    // A whole cell of UTF-8 text, its other attributes after its class, in one reservation of
    // output room, or one per block of a long text.
    void AddCell(bool header, std::string_view attributes, std::string_view text, TOutputLines& output) const;

private:
    char* WriteOpeningTag(bool header, std::string_view attributes, char* out) const;

    std::string RowTag;
    std::string HeaderTag;
    std::string DataTag;
    std::string EmptyText;
    std::string_view BreakText;
    std::size_t HeaderRows;
    std::size_t HeaderCols;
};

}  // namespace tabulor
