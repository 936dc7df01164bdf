#include "row_writer.h"

#include <algorithm>
#include <cstring>

#include "cell_encoding.h"
#include "source_lines.h"
#include "utf8.h"

namespace tabulor {

namespace {

constexpr std::string_view kHeaderClose = "</th>";
constexpr std::string_view kDataClose = "</td>";

// Bytes looked up between two reservations of output room.
constexpr std::size_t kBlock = 16 * 1024;

// The states that a UTF-8 character's first bytes lead to: one for each first byte of a two-byte
// character (0xC2 to 0xDF), one for 0xE2 (the euro sign, dashes, typographic quotes), and one for
// 0xE2 with each second byte. A next byte is 0x80 to 0xBF, so the states' slots overlap: each
// state's 64 slots for its next bytes lie side by side, the first state's 128 slots below them
// padding. A byte that cannot follow in checked text finds another state's slot, or the
// padding's, which is still inside the table.
constexpr unsigned kFirstLead = 0xC2;
constexpr unsigned kLastLead = 0xDF;
constexpr unsigned kLeadE2 = 0xE2;
constexpr std::size_t kNextBytes = 64;
constexpr std::size_t kTwoByteBlocks = kLastLead + 1 - kFirstLead;
constexpr std::size_t kE2Block = kTwoByteBlocks;
constexpr std::size_t kBlocks = kE2Block + 1 + kNextBytes;
constexpr std::size_t kLeadSlots = 512 + 128;

constexpr std::size_t BlockState(std::size_t block)
{
    return kLeadSlots + block * kNextBytes - 0x80;
}

constexpr std::size_t kUtf8Slots = BlockState(kBlocks - 1) + 256;

constexpr bool LeadsToState(unsigned byte)
{
    return (byte >= kFirstLead && byte <= kLastLead) || byte == kLeadE2;
}

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

bool IsPlainText(unsigned char byte, bool utf8)
{
    return byte != '"' && byte != '\r' && byte != '\n' && !(utf8 && byte >= 0x80)
           && ByteReplacement(byte).empty();
}

}  // namespace

void TRowWriter::TExpansion::SetSlot(std::size_t index, std::string_view text, std::size_t next)
{
    TSlot& slot = Slots[index];
    std::memcpy(slot.Bytes.data(), text.data(), text.size());
    slot.Length = static_cast<std::uint8_t>(text.size());
    Next[index] = static_cast<std::uint16_t>(next);
}

TRowWriter::TExpansion::TExpansion(std::string_view open, std::string_view close,
                                   std::string_view emptyCellText, const TCellReading& reading)
    : Slots(reading.Utf8 ? kUtf8Slots : 512), Next(Slots.size())
{
    const char separator = SeparatorByte(reading.Separator);
    const bool csv = reading.Separator != fsTab;
    for (const std::size_t state : {kInCell, kCellStart}) {
        const bool cellStart = state == kCellStart;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const std::size_t index = state + byte;
            std::string text(1, static_cast<char>(byte));
            std::size_t next = kInCell;
            if (byte == static_cast<unsigned char>(separator)) {
                text = std::string(cellStart ? emptyCellText : "").append(close).append(open);
                next = kCellStart;
            } else if (reading.Utf8 && LeadsToState(byte)) {
                text.clear();
                next = BlockState(byte == kLeadE2 ? kE2Block : byte - kFirstLead);
            } else if ((csv && byte == '"' && cellStart) || (reading.Utf8 && byte >= 0x80)) {
                Slots[index].Length = kLong;
                HasLong = true;
                continue;
            } else if (!ByteReplacement(static_cast<unsigned char>(byte)).empty()) {
                text = ByteReplacement(static_cast<unsigned char>(byte));
            }
            if (text.size() <= TSlot{}.Bytes.size()) {
                SetSlot(index, text, next);
            } else {
                Slots[index].Length = kLong;
                LongSeparators[cellStart] = std::move(text);
                HasLong = true;
            }
        }
    }
    if (!reading.Utf8)
        return;
    // Each state's next byte writes its character's text and leaves the state inside a cell,
    // save after 0xE2, where it leads to the state of the two bytes.
    static const TUnicodeStates states = MakeUnicodeStates();
    std::copy(states.Slots.begin(), states.Slots.end(), Slots.begin() + kLeadSlots);
    std::copy(states.Next.begin(), states.Next.end(), Next.begin() + kLeadSlots);
}

// The same for every table, so made once.
TRowWriter::TExpansion::TUnicodeStates TRowWriter::TExpansion::MakeUnicodeStates()
{
    TUnicodeStates states;
    states.Slots.resize(kBlocks * kNextBytes);
    states.Next.resize(kBlocks * kNextBytes, kInCell);
    for (std::size_t block = 0; block < kBlocks; ++block) {
        for (std::size_t low = 0; low < kNextBytes; ++low) {
            const std::size_t at = block * kNextBytes + low;
            char32_t character;
            if (block < kTwoByteBlocks) {
                character = static_cast<char32_t>(((kFirstLead + block) & 0x1F) << 6 | low);
            } else if (block == kE2Block) {
                states.Next[at] = static_cast<std::uint16_t>(BlockState(kE2Block + 1 + low));
                continue;
            } else {
                character = static_cast<char32_t>((kLeadE2 & 0x0F) << 12 | (block - kE2Block - 1) << 6 | low);
            }
            char text[kMaxCharacterText];
            const std::size_t length = static_cast<std::size_t>(WriteCharacterText(character, text) - text);
            std::memcpy(states.Slots[at].Bytes.data(), text, length);
            states.Slots[at].Length = static_cast<std::uint8_t>(length);
        }
    }
    return states;
}

TRowWriter::TRowWriter(const TTableSettings& settings, const TCellReading& reading)
    : Reading(reading),
      Separator(SeparatorByte(reading.Separator)),
      LineBreak(reading.Xhtml ? "<br />" : "<br>"),
      RowTag("  " + OpeningTag("tr", settings.RowClass)),
      HeaderTag(OpeningTag("th", settings.HeaderClass)),
      DataTag(OpeningTag("td", settings.CellClass)),
      EmptyCellText(settings.EmptyCellText),
      TitleRows(HeaderCount(settings.TitleRows)),
      TitleCols(HeaderCount(settings.TitleCols)),
      Header(HeaderTag, kHeaderClose, EmptyCellText, reading),
      Data(DataTag, kDataClose, EmptyCellText, reading)
{
}

// The loop every byte of a table goes through, so kept lean: one load and one store of a slot per
// byte, and the test for a long text only where a table has one. Outside UTF-8 the next state
// depends on the byte alone, so no byte waits for the lookup of the one before it.
template <bool kHasLong, bool kUtf8>
const char* TRowWriter::TExpansion::Expand(const char* p, const char* end, char*& out, std::size_t& state) const
{
    const TSlot* const slots = Slots.data();
    const std::uint16_t* const next = Next.data();
    std::size_t current = state;
#pragma GCC unroll 4
    for (; p != end; ++p) {
        const std::size_t byte = static_cast<unsigned char>(*p);
        const std::size_t index = byte + current;
        const TSlot& slot = slots[index];
        if (kHasLong && slot.Length == kLong)
            break;
        std::memcpy(out, &slot, sizeof slot);
        out += slot.Length;
        current = next[kUtf8 ? index : byte];
    }
    state = current;
    return p;
}

void TRowWriter::WriteCells(const TExpansion& expansion, std::string_view bytes, std::size_t& state,
                            TOutputLines& output) const
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p != end) {
        const char* const stop = p + std::min(static_cast<std::size_t>(end - p), kBlock);
        // A byte's text is shorter than its slot, which is copied whole: a slot a byte is room
        // enough, the last one's included.
        char* out = output.BeginWrite(static_cast<std::size_t>(stop - p) * sizeof(TExpansion::TSlot));
        if (Reading.Utf8)
            p = expansion.Expand<true, true>(p, stop, out, state);
        else if (expansion.HasLong)
            p = expansion.Expand<true, false>(p, stop, out, state);
        else
            p = expansion.Expand<false, false>(p, stop, out, state);
        output.EndWrite(out);
        if (p != stop)
            p = WriteLong(expansion, p, end, state, output);
        output.FlushIfFull();
    }
}

// A separator whose text is long, a quote that opens a field, or a character of three or four
// UTF-8 bytes. Returns where the bytes that it took end.
const char* TRowWriter::WriteLong(const TExpansion& expansion, const char* p, const char* end,
                                  std::size_t& state, TOutputLines& output) const
{
    if (*p == Separator) {
        output.Append(expansion.LongSeparators[state == TExpansion::kCellStart]);
        state = TExpansion::kCellStart;
        return p + 1;
    }
    if (*p == '"')
        return WriteQuotedField(p, end, state, output);
    std::size_t length = 0;
    const char32_t character = DecodeUtf8({p, static_cast<std::size_t>(end - p)}, length);
    output.EndWrite(WriteCharacterText(character == kMalformed ? 0xFFFD : character,
                                       output.BeginWrite(kMaxCharacterText)));
    state = TExpansion::kInCell;
    return p + length;
}

// A quoted field empty between its quotes leaves its cell empty, for the text after the quotes
// or the empty-cell text to fill. One still open at the row's end (only a row handed over
// directly can be) runs to that end.
const char* TRowWriter::WriteQuotedField(const char* opening, const char* end, std::size_t& state,
                                         TOutputLines& output) const
{
    const std::string_view field(opening, static_cast<std::size_t>(end - opening));
    std::size_t fieldEnd = QuotedFieldEnd(field, 0);
    const std::size_t inside = fieldEnd == std::string_view::npos ? field.size() - 1 : fieldEnd - 2;
    fieldEnd = std::min(fieldEnd, field.size());
    WriteQuotedText(field.substr(1, inside), output);
    state = inside == 0 ? TExpansion::kCellStart : TExpansion::kInCell;
    return opening + fieldEnd;
}

// Between the quotes a doubled quote is one, each line end is a break, and separators are text.
void TRowWriter::WriteQuotedText(std::string_view text, TOutputLines& output) const
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsPlainText(byte, Reading.Utf8)) {
            const std::size_t start = i;
            while (i < text.size() && IsPlainText(static_cast<unsigned char>(text[i]), Reading.Utf8))
                ++i;
            output.Append(text.substr(start, i - start));
        } else if (byte == '"') {
            output.Append("\"");
            i += 2;
        } else if (byte == '\r' || byte == '\n') {
            output.Append(LineBreak);
            i += byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else if (Reading.Utf8 && byte >= 0x80) {
            const char32_t character = DecodeUtf8(text, i);
            output.EndWrite(WriteCharacterText(character == kMalformed ? 0xFFFD : character,
                                               output.BeginWrite(kMaxCharacterText)));
        } else {
            output.Append(ByteReplacement(byte));
            ++i;
        }
    }
}

// Where the given number of leading cells ends: at that cell's closing separator, or at the end.
std::size_t TRowWriter::CellsEnd(std::string_view line, std::size_t cells) const
{
    const bool csv = Reading.Separator != fsTab;
    std::size_t at = 0;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        if (csv && at < line.size() && line[at] == '"')
            at = std::min(QuotedFieldEnd(line, at), line.size());
        at = line.find(Separator, at);
        if (at == std::string_view::npos)
            return line.size();
        if (cell + 1 < cells)
            ++at;
    }
    return at;
}

void TRowWriter::AddRow(std::string_view line, std::size_t row, TOutputLines& output) const
{
    output.Append(RowTag);
    std::size_t state = TExpansion::kCellStart;
    const std::size_t headerCells = row < TitleRows ? std::string_view::npos : TitleCols;
    if (headerCells > 0) {
        const std::size_t headerEnd = CellsEnd(line, headerCells);
        output.Append(HeaderTag);
        WriteCells(Header, line.substr(0, headerEnd), state, output);
        if (headerEnd == line.size()) {
            EndRow(kHeaderClose, state, output);
            return;
        }
        // The separator that leaves the title columns closes a header cell and opens a data cell.
        EndCell(kHeaderClose, state, output);
        line.remove_prefix(headerEnd + 1);
        state = TExpansion::kCellStart;
    }
    output.Append(DataTag);
    WriteCells(Data, line, state, output);
    EndRow(kDataClose, state, output);
}

void TRowWriter::EndCell(std::string_view close, std::size_t state, TOutputLines& output) const
{
    if (state == TExpansion::kCellStart)
        output.Append(EmptyCellText);
    output.Append(close);
}

void TRowWriter::EndRow(std::string_view close, std::size_t state, TOutputLines& output) const
{
    EndCell(close, state, output);
    output.Append("</tr>");
    output.EndLine();
}

}  // namespace tabulor
