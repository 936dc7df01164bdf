#include "sheet_markup.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "header_links.h"
#include "merge_layout.h"
#include "sheet_links.h"
#include "table_markup.h"

namespace tabulor {

namespace {

// ` colspan="N"` and ` rowspan="M"` where the area spans more than one.
class TSpans {
public:
    TSpans(std::uint32_t colSpan, std::uint32_t rowSpan)
    {
        Add(" colspan=\"", colSpan);
        Add(" rowspan=\"", rowSpan);
    }
    std::string_view Text() const { return {Bytes, static_cast<std::size_t>(End - Bytes)}; }

private:
    void Add(std::string_view name, std::uint32_t span)
    {
        if (span <= 1)
            return;
        End = std::to_chars(std::copy(name.begin(), name.end(), End), Bytes + sizeof Bytes, span).ptr;
        *End++ = '"';
    }

    char Bytes[48];
    char* End = Bytes;
};

// The rows of one sheet, written in order: each position's text is taken as its row is written.
class TSheetTable {
public:
    TSheetTable(TSheetSource& sheet, const TTableSettings& settings, const TCellReading& reading);
    void AddRows(TOutputLines& output);

private:
    std::string_view TakeText(std::uint32_t row, std::uint32_t col);
    void AddRow(std::uint32_t row, TOutputLines& output);
    bool Header(std::uint32_t row, std::uint32_t col) const;

    TSheetSource& Sheet;
    const TMergeLayout Merges;
    // Read before the first cell is taken: it reads them all once.
    const std::optional<TSheetLinks> Links;
    // The cell to be written next; none at the end.
    const TSheetCell* Cell;
    const TCellMarkup Markup;
    std::size_t NextArea = 0;
    // A cell's attributes after its class.
    std::string Attributes;
};

TSheetTable::TSheetTable(TSheetSource& sheet, const TTableSettings& settings, const TCellReading& reading)
    : Sheet(sheet),
      Merges(sheet),
      Links(settings.LinkHeaders ? std::optional<TSheetLinks>(std::in_place, sheet, Merges, settings, reading.IdStem)
                                 : std::nullopt),
      Cell(sheet.NextCell()),
      Markup(settings, reading.Xhtml)
{
}

void TSheetTable::AddRows(TOutputLines& output)
{
    const std::uint32_t rows = Sheet.Rows();
    const std::uint32_t bodyStart = Links ? Links->BodyStart() : 0;
    if (bodyStart != 0)
        output.AddLine(HeadOpening);
    for (std::uint32_t row = 0; row < rows; ++row) {
        if (row == bodyStart && bodyStart != 0) {
            output.AddLine(HeadClosing);
            output.AddLine(BodyOpening);
        }
        if (!Merges.Dropped(row)) {
            AddRow(row, output);
            continue;
        }
        while (Cell != nullptr && Cell->Row == row)
            Cell = Sheet.NextCell();
    }
    if (bodyStart != 0)
        output.AddLine(BodyClosing);
}

bool TSheetTable::Header(std::uint32_t row, std::uint32_t col) const
{
    return Links ? Links->Header(row, col) : Markup.Header(row, col);
}

std::string_view TSheetTable::TakeText(std::uint32_t row, std::uint32_t col)
{
    if (Cell == nullptr || Cell->Row != row || Cell->Col != col)
        return {};
    const std::string_view text = Cell->Text;
    Cell = Sheet.NextCell();
    return text;
}

// A covered position writes nothing, unless it is its area's top-left.
void TSheetTable::AddRow(std::uint32_t row, TOutputLines& output)
{
    Markup.BeginRow(output);
    const std::vector<TMergedArea>& areas = Merges.Areas();
    const std::uint32_t cols = Sheet.Cols();
    for (std::uint32_t col = 0; col < cols; ++col) {
        const std::string_view text = TakeText(row, col);
        TMergedArea area{row, col, row, col};
        const bool covered = Merges.Covered(row, col);
        if (covered) {
            if (NextArea == areas.size() || areas[NextArea].Top != row || areas[NextArea].Left != col)
                continue;
            area = areas[NextArea++];
        }
        // A place no area covers begins its row and column, which are both written: it spans one.
        if (!covered && !Links) {
            Markup.AddCell(Header(row, col), {}, text, output);
            continue;
        }
        Attributes.clear();
        if (Links)
            Links->AppendAttributes(Attributes, area);
        Attributes += TSpans(Merges.ColSpan(area), Merges.RowSpan(area)).Text();
        Markup.AddCell(Header(row, col), Attributes, text, output);
    }
    Markup.EndRow(output);
}

}  // namespace

void AddSheetTableLines(TSheetSource& sheet, TOutputLines& output, const TTableSettings& settings,
                        const TCellReading& reading)
{
    AddTableOpening(output, settings, reading.Xhtml);
    TSheetTable(sheet, settings, reading).AddRows(output);
    output.AddLine("</table>");
}

}  // namespace tabulor
