#include "sheet_markup.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cell_encoding.h"
#include "row_writer.h"
#include "table_markup.h"
#include "utf8.h"

namespace tabulor {

namespace {

// Bytes of a cell's text written between two reservations of output room.
constexpr std::size_t Block = 16 * 1024;

std::array<bool, 256> MakePlainBytes()
{
    std::array<bool, 256> plain{};
    for (unsigned byte = 0; byte < 0x80; ++byte)
        plain[byte] = byte != '\r' && byte != '\n' && ByteReplacement(static_cast<unsigned char>(byte)).empty();
    return plain;
}

// The bytes that stand for themselves, written a run at a time.
const std::array<bool, 256> PlainBytes = MakePlainBytes();

char* Copy(std::string_view text, char* out)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The merged areas as the table writes them: clipped to the rectangle, none that overlaps an
// earlier one or covers a single cell, and the rows they leave with no cell of their own.
class TMergeLayout {
public:
    explicit TMergeLayout(const TSheetSource& sheet);

    bool Covered(std::uint32_t row, std::uint32_t col) const
    {
        return !Bits.empty() && (Bits[row * Words + col / 64] >> (col % 64) & 1) != 0;
    }
    bool Dropped(std::uint32_t row) const
    {
        return !DroppedBefore.empty() && DroppedBefore[row + 1] != DroppedBefore[row];
    }
    // By top-left position, row by row.
    const std::vector<TMergedArea>& Areas() const { return Areas_; }
    // The rows the area spans that are written.
    std::uint32_t RowSpan(const TMergedArea& area) const
    {
        const std::uint32_t rows = area.Bottom - area.Top + 1;
        return DroppedBefore.empty() ? rows : rows - (DroppedBefore[area.Bottom + 1] - DroppedBefore[area.Top]);
    }

private:
    // Calls visit(word, mask) on the words that the area's columns take in each of its rows,
    // until one call returns true; says whether one did.
    template <typename TVisit>
    bool AnyWord(const TMergedArea& area, TVisit visit);
    void CountDroppedRows(std::uint32_t rows, std::uint32_t cols);

    std::size_t Words;  // per row
    std::vector<std::uint64_t> Bits;  // a covered position's bit is set, its area's top-left's too
    std::vector<std::uint32_t> DroppedBefore;  // by row, and one past the last
    std::vector<TMergedArea> Areas_;
    std::uint64_t WordTests = 0;
};

// Every merge is tested against the earlier ones word by word, and an accepted one marks its
// words: a test for each row of each 64-bit word it spans, each word holding one of its columns
// at least. The merges of a sane file, which cover each cell once, thus cost at most two tests a
// cell; a file that piles up overlapping merges is stopped at twice that, plus two tests a merge,
// and its remaining merges are ignored: their cells are written plainly.
TMergeLayout::TMergeLayout(const TSheetSource& sheet) : Words((sheet.Cols() + 63) / 64)
{
    const std::uint64_t budget = 4 * std::uint64_t{sheet.Rows()} * sheet.Cols() + 2 * std::uint64_t{sheet.MergeCount()};
    for (std::size_t index = 0; index < sheet.MergeCount(); ++index) {
        const TMergedArea merge = sheet.Merge(index);
        if (merge.Top >= sheet.Rows() || merge.Left >= sheet.Cols() || merge.Top > merge.Bottom
            || merge.Left > merge.Right)
            continue;
        const TMergedArea area{merge.Top, merge.Left, std::min(merge.Bottom, sheet.Rows() - 1),
                               std::min(merge.Right, sheet.Cols() - 1)};
        if (area.Top == area.Bottom && area.Left == area.Right)
            continue;
        // The test and the marking both paid for, or neither.
        const std::uint64_t words = std::uint64_t{area.Bottom - area.Top + 1} * (area.Right / 64 - area.Left / 64 + 1);
        if (WordTests + 2 * words > budget)
            break;
        if (Bits.empty())
            Bits.assign(std::size_t{sheet.Rows()} * Words, 0);
        if (AnyWord(area, [](std::uint64_t& word, std::uint64_t mask) { return (word & mask) != 0; }))
            continue;
        AnyWord(area, [](std::uint64_t& word, std::uint64_t mask) { return (word |= mask, false); });
        Areas_.push_back(area);
    }
    std::sort(Areas_.begin(), Areas_.end(), [](const TMergedArea& a, const TMergedArea& b) {
        return a.Top < b.Top || (a.Top == b.Top && a.Left < b.Left);
    });
    if (!Areas_.empty())
        CountDroppedRows(sheet.Rows(), sheet.Cols());
}

template <typename TVisit>
bool TMergeLayout::AnyWord(const TMergedArea& area, TVisit visit)
{
    const std::size_t first = area.Left / 64;
    const std::size_t last = area.Right / 64;
    for (std::size_t row = area.Top; row <= area.Bottom; ++row) {
        for (std::size_t word = first; word <= last; ++word) {
            std::uint64_t mask = ~std::uint64_t{0};
            if (word == first)
                mask &= mask << (area.Left % 64);
            if (word == last && area.Right % 64 != 63)
                mask &= (std::uint64_t{1} << (area.Right % 64 + 1)) - 1;
            ++WordTests;
            if (visit(Bits[row * Words + word], mask))
                return true;
        }
    }
    return false;
}

// A row whose every position is covered from above holds no cell and is not written.
void TMergeLayout::CountDroppedRows(std::uint32_t rows, std::uint32_t cols)
{
    std::vector<bool> holdsTopLeft(rows);
    for (const TMergedArea& area : Areas_)
        holdsTopLeft[area.Top] = true;
    DroppedBefore.assign(std::size_t{rows} + 1, 0);
    for (std::uint32_t row = 0; row < rows; ++row) {
        const TMergedArea area{row, 0, row, cols - 1};
        const bool dropped = !holdsTopLeft[row] && !AnyWord(area, [](std::uint64_t& word, std::uint64_t mask) {
            return (word & mask) != mask;
        });
        DroppedBefore[row + 1] = DroppedBefore[row] + (dropped ? 1 : 0);
    }
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
    TSheetTable(TSheetSource& sheet, const TTableSettings& settings, bool xhtml);
    void AddRows(TOutputLines& output);

private:
    std::string_view TakeText(std::uint32_t row, std::uint32_t col);
    void AddRow(std::uint32_t row, TOutputLines& output);
    char* WriteOpeningTag(bool header, std::string_view spans, char* out) const;
    void AddCell(bool header, std::string_view spans, std::string_view text, TOutputLines& output) const;
    std::size_t WriteText(std::string_view text, std::size_t at, std::size_t stop, char*& out) const;

    TSheetSource& Sheet;
    const TMergeLayout Merges;
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
};

TSheetTable::TSheetTable(TSheetSource& sheet, const TTableSettings& settings, bool xhtml)
    : Sheet(sheet),
      Merges(sheet),
      Cell(sheet.NextCell()),
      RowTag("  " + OpeningTag("tr", settings.RowClass)),
      HeaderTag(OpeningTag("th", settings.HeaderClass)),
      DataTag(OpeningTag("td", settings.CellClass)),
      EmptyCellText(settings.EmptyCellText),
      LineBreak(xhtml ? "<br />" : "<br>"),
      HeaderRows(HeaderCount(settings.TitleRows)),
      HeaderCols(HeaderCount(settings.TitleCols))
{
}

void TSheetTable::AddRows(TOutputLines& output)
{
    const std::uint32_t rows = Sheet.Rows();
    for (std::uint32_t row = 0; row < rows; ++row) {
        if (!Merges.Dropped(row)) {
            AddRow(row, output);
            continue;
        }
        while (Cell != nullptr && Cell->Row == row)
            Cell = Sheet.NextCell();
    }
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
        const bool header = row < HeaderRows || col < HeaderCols;
        if (!Merges.Covered(row, col)) {
            AddCell(header, {}, text, output);
        } else if (NextArea < areas.size() && areas[NextArea].Top == row && areas[NextArea].Left == col) {
            const TMergedArea& area = areas[NextArea++];
            const TSpans spans(area.Right - area.Left + 1, Merges.RowSpan(area));
            AddCell(header, spans.Text(), text, output);
        }
    }
    output.Append("</tr>");
    output.EndLine();
}

// The spans go after the class attribute.
char* TSheetTable::WriteOpeningTag(bool header, std::string_view spans, char* out) const
{
    const std::string_view tag = header ? HeaderTag : DataTag;
    if (spans.empty())
        return Copy(tag, out);
    out = Copy(spans, Copy(tag.substr(0, tag.size() - 1), out));
    *out++ = '>';
    return out;
}

// A cell in one reservation of output room, or one per block of a long text.
void TSheetTable::AddCell(bool header, std::string_view spans, std::string_view text, TOutputLines& output) const
{
    const std::string_view close = header ? "</th>" : "</td>";
    const std::size_t markup =
        (header ? HeaderTag : DataTag).size() + spans.size() + EmptyCellText.size() + close.size();
    std::size_t at = 0;
    do {
        const std::size_t stop = std::min(text.size(), at + Block);
        // No byte's text is longer than a character's, and a character takes a byte at least.
        char* out = output.BeginWrite(markup + (stop - at) * MaxCharacterText);
        if (at == 0)
            out = WriteOpeningTag(header, spans, out);
        if (text.empty())
            out = Copy(EmptyCellText, out);
        at = WriteText(text, at, stop, out);
        if (at == text.size())
            out = Copy(close, out);
        output.EndWrite(out);
        output.FlushIfFull();
    } while (at < text.size());
}

// As a UTF-8 source's quoted field is written: a line end is a break, a CR LF one break. Returns
// where it stopped: at stop, or just past it when a character runs across it.
std::size_t TSheetTable::WriteText(std::string_view text, std::size_t at, std::size_t stop, char*& out) const
{
    while (at < stop) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (PlainBytes[byte]) {
            const std::size_t start = at;
            while (at < stop && PlainBytes[static_cast<unsigned char>(text[at])])
                ++at;
            out = Copy(text.substr(start, at - start), out);
        } else if (byte >= 0x80) {
            out = WriteCharacterText(DecodeUtf8(text, at), out);
        } else if (byte == '\r' || byte == '\n') {
            out = Copy(LineBreak, out);
            at += byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        } else {
            out = Copy(ByteReplacement(byte), out);
            ++at;
        }
    }
    return at;
}

}  // namespace

void AddSheetTableLines(TSheetSource& sheet, TOutputLines& output, const TTableSettings& settings,
                        const TCellReading& reading)
{
    output.AddLine(TableOpeningLine(settings));
    TSheetTable(sheet, settings, reading.Xhtml).AddRows(output);
    output.AddLine("</table>");
}

}  // namespace tabulor
