#include "sheet_markup.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cell_encoding.h"
#include "header_links.h"
#include "merge_layout.h"
#include "sheet_links.h"
#include "row_writer.h"
#include "table_markup.h"
#include "utf8.h"

namespace tabulor {

namespace {

// Bytes of a cell's text written between two reservations of output room.
constexpr std::size_t Block = 16 * 1024;

char* Copy(std::string_view text, char* out)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

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
        End = std::to_chars(Copy(name, End), Bytes + sizeof Bytes, span).ptr;
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
    char* WriteOpeningTag(bool header, std::string_view attributes, char* out) const;
    void AddCell(bool header, std::string_view attributes, std::string_view text, TOutputLines& output) const;

    TSheetSource& Sheet;
    const TMergeLayout Merges;
    // Read before the first cell is taken: it reads them all once.
    const std::optional<TSheetLinks> Links;
    // The cell to be written next; none at the end.
    const TSheetCell* Cell;
    std::string RowTag;
    std::string HeaderTag;
    std::string DataTag;
    std::string_view EmptyCellText;
    std::string_view LineBreak;
    // The header counts, a negative one taken as none.
    std::size_t HeaderRows;
    std::size_t HeaderCols;
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
      RowTag("  " + OpeningTag("tr", settings.RowClass)),
      HeaderTag(OpeningTag("th", settings.HeaderClass)),
      DataTag(OpeningTag("td", settings.CellClass)),
      EmptyCellText(settings.EmptyCellText),
      LineBreak(reading.Xhtml ? "<br />" : "<br>"),
      HeaderRows(HeaderCount(settings.TitleRows)),
      HeaderCols(HeaderCount(settings.TitleCols))
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
    return Links ? Links->Header(row, col) : row < HeaderRows || col < HeaderCols;
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
    output.Append(RowTag);
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
            AddCell(Header(row, col), {}, text, output);
            continue;
        }
        Attributes.clear();
        if (Links)
            Links->AppendAttributes(Attributes, area);
        Attributes += TSpans(Merges.ColSpan(area), Merges.RowSpan(area)).Text();
        AddCell(Header(row, col), Attributes, text, output);
    }
    output.Append("</tr>");
    output.EndLine();
}

// The other attributes go after the class attribute.
char* TSheetTable::WriteOpeningTag(bool header, std::string_view attributes, char* out) const
{
    const std::string_view tag = header ? HeaderTag : DataTag;
    if (attributes.empty())
        return Copy(tag, out);
    out = Copy(attributes, Copy(tag.substr(0, tag.size() - 1), out));
    *out++ = '>';
    return out;
}

// A cell in one reservation of output room, or one per block of a long text.
void TSheetTable::AddCell(bool header, std::string_view attributes, std::string_view text,
                          TOutputLines& output) const
{
    const std::string_view close = header ? "</th>" : "</td>";
    const std::size_t markup =
        (header ? HeaderTag : DataTag).size() + attributes.size() + EmptyCellText.size() + close.size();
    std::size_t at = 0;
    do {
        const std::size_t stop = std::min(text.size(), at + Block);
        // No byte's text is longer than a character's, and a character takes a byte at least.
        char* out = output.BeginWrite(markup + (stop - at) * MaxCharacterText);
        if (at == 0)
            out = WriteOpeningTag(header, attributes, out);
        if (text.empty())
            out = Copy(EmptyCellText, out);
        at = WriteUtf8Text(text, at, stop, LineBreak, out);
        if (at == text.size())
            out = Copy(close, out);
        output.EndWrite(out);
        output.FlushIfFull();
    } while (at < text.size());
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
