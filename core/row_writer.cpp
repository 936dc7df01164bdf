#include "row_writer.h"

#include <algorithm>
#include <cstring>

#include "cell_encoding.h"

namespace tabulor {

namespace {

constexpr char kSeparator = '\t';
constexpr std::string_view kHeaderClose = "</th>";
constexpr std::string_view kDataClose = "</td>";

// Bytes looked up between two reservations of output room.
constexpr std::size_t kBlock = 16 * 1024;

std::string OpeningTag(std::string_view tag, const std::string& className)
{
    std::string result(1, '<');
    result += tag;
    if (!className.empty())
        result.append(" class=\"").append(className).append("\"");
    return result += '>';
}

std::size_t HeaderCount(int count)
{
    return static_cast<std::size_t>(std::max(count, 0));
}

// Where the given number of leading cells ends: at that cell's closing tab, or at the end.
std::size_t CellsEnd(std::string_view line, std::size_t cells)
{
    std::size_t at = 0;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        at = line.find(kSeparator, at);
        if (at == std::string_view::npos)
            return line.size();
        if (cell + 1 < cells)
            ++at;
    }
    return at;
}

// Where in the slots the byte after each byte looks: past the first 256 after a tab, as it starts
// a cell. A load is cheaper here than a compare and a shift.
constexpr std::array<std::uint16_t, 256> kNextStart = [] {
    std::array<std::uint16_t, 256> next{};
    next[static_cast<unsigned char>(kSeparator)] = 256;
    return next;
}();

}  // namespace

TRowWriter::TExpansion::TExpansion(std::string_view open, std::string_view close,
                                   std::string_view emptyCellText)
{
    for (std::size_t index = 0; index < 512; ++index) {
        const auto byte = static_cast<unsigned char>(index & 0xFF);
        const bool cellStart = index >= 256;
        std::string text;
        if (byte == kSeparator)
            text.append(cellStart ? emptyCellText : "").append(close).append(open);
        else if (!ByteReplacement(byte).empty())
            text = ByteReplacement(byte);
        else
            text = static_cast<char>(byte);
        if (text.size() <= Slots[index].Bytes.size()) {
            std::memcpy(Slots[index].Bytes.data(), text.data(), text.size());
            Slots[index].Length = static_cast<std::uint8_t>(text.size());
        } else {
            Slots[index].Length = kLong;
            LongTabs[cellStart] = std::move(text);
        }
    }
}

TRowWriter::TRowWriter(const TTableSettings& settings)
    : RowTag("  " + OpeningTag("tr", settings.RowClass)),
      HeaderTag(OpeningTag("th", settings.HeaderClass)),
      DataTag(OpeningTag("td", settings.CellClass)),
      EmptyCellText(settings.EmptyCellText),
      TitleRows(HeaderCount(settings.TitleRows)),
      TitleCols(HeaderCount(settings.TitleCols)),
      Header(HeaderTag, kHeaderClose, EmptyCellText),
      Data(DataTag, kDataClose, EmptyCellText)
{
}

// The loop every byte of a table goes through, so kept lean: one load and one store of a slot per
// byte, and the test for a long text only where a table has one. Stops at the end, or at a tab
// whose text does not fit a slot, which it leaves to the caller.
template <bool kHasLong>
const char* TRowWriter::TExpansion::Expand(const char* p, const char* end, char*& out, bool& cellStart) const
{
    std::size_t start = cellStart ? 256 : 0;
#pragma GCC unroll 4
    for (; p != end; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        const TSlot& slot = Slots[byte | start];
        if (kHasLong && slot.Length == kLong)
            break;
        std::memcpy(out, &slot, sizeof slot);
        out += slot.Length;
        start = kNextStart[byte];
    }
    cellStart = start != 0;
    return p;
}

void TRowWriter::WriteCells(const TExpansion& expansion, std::string_view bytes, bool& cellStart,
                            TOutputLines& output) const
{
    const bool hasLong = !expansion.LongTabs[0].empty() || !expansion.LongTabs[1].empty();
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p != end) {
        const char* const stop = p + std::min(static_cast<std::size_t>(end - p), kBlock);
        // A byte's text is shorter than its slot, which is copied whole: a slot a byte is room
        // enough, the last one's included.
        char* out = output.BeginWrite(static_cast<std::size_t>(stop - p) * sizeof(TExpansion::TSlot));
        p = hasLong ? expansion.Expand<true>(p, stop, out, cellStart)
                    : expansion.Expand<false>(p, stop, out, cellStart);
        output.EndWrite(out);
        if (p != stop) {
            output.Append(expansion.LongTabs[cellStart]);
            cellStart = true;
            ++p;
        }
        output.FlushIfFull();
    }
}

void TRowWriter::AddRow(std::string_view line, std::size_t row, TOutputLines& output) const
{
    output.Append(RowTag);
    bool cellStart = true;
    const std::size_t headerCells = row < TitleRows ? std::string_view::npos : TitleCols;
    if (headerCells > 0) {
        const std::size_t headerEnd = CellsEnd(line, headerCells);
        output.Append(HeaderTag);
        WriteCells(Header, line.substr(0, headerEnd), cellStart, output);
        if (headerEnd == line.size()) {
            EndRow(kHeaderClose, cellStart, output);
            return;
        }
        // The tab that leaves the title columns closes a header cell and opens a data cell.
        EndCell(kHeaderClose, cellStart, output);
        line.remove_prefix(headerEnd + 1);
        cellStart = true;
    }
    output.Append(DataTag);
    WriteCells(Data, line, cellStart, output);
    EndRow(kDataClose, cellStart, output);
}

void TRowWriter::EndCell(std::string_view close, bool cellStart, TOutputLines& output) const
{
    if (cellStart)
        output.Append(EmptyCellText);
    output.Append(close);
}

void TRowWriter::EndRow(std::string_view close, bool cellStart, TOutputLines& output) const
{
    EndCell(close, cellStart, output);
    output.Append("</tr>");
    output.EndLine();
}

}  // namespace tabulor
