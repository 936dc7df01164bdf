#include "row_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "cell_encoding.h"
#include "source_rows.h"
#include "utf8.h"

namespace tabulor {

namespace {

constexpr std::string_view HeaderClose = "</th>";
constexpr std::string_view DataClose = "</td>";

// Bytes looked up between two reservations of output room.
constexpr std::size_t Block = 16 * 1024;

// The states after the first byte of a two-byte UTF-8 character (0xC2 to 0xDF), one for each. A
// second byte is 0x80 to 0xBF, so the states' slots overlap: each state's 64 slots for its second
// bytes lie side by side, the first state's 128 slots below them padding. A byte that cannot
// follow in checked text finds another state's slot, or the padding's, still inside the table.
// Every other character of 0x80 and up leaves the table; those that start with 0xE2 (the euro
// sign, dashes, typographic quotes) have their texts ready beside it.
constexpr unsigned FirstLead = 0xC2;
constexpr unsigned LastLead = 0xDF;
constexpr unsigned LeadE2 = 0xE2;
constexpr std::size_t NextBytes = 64;
constexpr std::size_t TwoByteBlocks = LastLead + 1 - FirstLead;
constexpr std::size_t LeadSlots = 512 + 128;

constexpr std::size_t LeadState(unsigned lead)
{
    return LeadSlots + (lead - FirstLead) * NextBytes - 0x80;
}

constexpr std::size_t Utf8Slots = LeadState(LastLead) + 256;

bool IsPlainText(unsigned char byte, bool utf8)
{
    return byte != '"' && byte != '\r' && byte != '\n' && !(utf8 && byte >= 0x80)
           && ByteReplacement(byte).empty();
}

}  // namespace

std::string OpeningTag(std::string_view tag, const std::string& className)
{
    std::string result(1, '<');
    result += tag;
    if (!className.empty())
        result.append(" class=\"").append(className).append("\"");
    return result += '>';
}

void TRowWriter::TExpansion::SetSlot(std::size_t state, unsigned byte, std::string_view text, std::size_t next)
{
    TSlot& slot = Slots[state + byte];
    std::memcpy(slot.Bytes.data(), text.data(), text.size());
    slot.Length = static_cast<std::uint8_t>(text.size());
    Next[byte] = static_cast<std::uint16_t>(next);
}

TRowWriter::TExpansion::TExpansion(std::string_view open, std::string_view close,
                                   std::string_view emptyCellText, const TCellReading& reading)
    : Slots(reading.Utf8 ? Utf8Slots : 512)
#ifdef TABULOR_VECTOR_SCAN
      , QuotesOpen(reading.Separator != fsTab)
      , Special({SeparatorByte(reading.Separator), '&', '<', '>', reading.Separator != fsTab ? '"' : '&'})
#endif
{
    const char separator = SeparatorByte(reading.Separator);
    const bool csv = reading.Separator != fsTab;
    for (const std::size_t state : {InCell, CellStart}) {
        const bool cellStart = state == CellStart;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const std::size_t index = state + byte;
            std::string text(1, static_cast<char>(byte));
            std::size_t next = InCell;
            if (byte == static_cast<unsigned char>(separator)) {
                text = std::string(cellStart ? emptyCellText : "").append(close).append(open);
                next = CellStart;
            } else if (reading.Utf8 && byte >= FirstLead && byte <= LastLead) {
                text.clear();
                next = LeadState(byte);
            } else if ((csv && byte == '"' && cellStart) || (reading.Utf8 && byte >= 0x80)) {
                Slots[index].Length = LongSlot;
#ifdef TABULOR_VECTOR_SCAN
                // The sixteen-byte loop stops at a quote that opens a field of itself.
                HasLong = HasLong || byte != '"';
#else
                HasLong = true;
#endif
                continue;
            } else if (!ByteReplacement(static_cast<unsigned char>(byte)).empty()) {
                text = ByteReplacement(static_cast<unsigned char>(byte));
            }
            if (text.size() <= TSlot{}.Bytes.size()) {
                SetSlot(state, byte, text, next);
            } else {
                Slots[index].Length = LongSlot;
                LongSeparators[cellStart] = std::move(text);
                HasLong = true;
            }
        }
    }
    if (!reading.Utf8)
        return;
    // Each state's second byte writes its character's text; after it the state is inside a
    // cell, as the second byte's own next state says.
    const std::vector<TSlot>& texts = UnicodeTexts();
    std::copy_n(texts.begin(), TwoByteBlocks * NextBytes, Slots.begin() + LeadSlots);
    E2Texts = texts.data() + TwoByteBlocks * NextBytes;
}

const TRowWriter::TExpansion::TSlot& TRowWriter::TExpansion::E2Text(const char* p) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    return E2Texts[(bytes[0] & 0x3F) * NextBytes + (bytes[1] & 0x3F)];
}

// The texts of the two-byte characters by first and second byte, then those of the three-byte
// characters that start with 0xE2, by second and third: the same for every table, so made once.
const std::vector<TRowWriter::TExpansion::TSlot>& TRowWriter::TExpansion::UnicodeTexts()
{
    static const std::vector<TSlot> texts = [] {
        std::vector<TSlot> slots((TwoByteBlocks + NextBytes) * NextBytes);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const std::size_t block = i / NextBytes;
            const std::size_t low = i % NextBytes;
            const auto character = block < TwoByteBlocks
                                       ? static_cast<char32_t>(((FirstLead + block) & 0x1F) << 6 | low)
                                       : static_cast<char32_t>((LeadE2 & 0x0F) << 12 | (block - TwoByteBlocks) << 6 | low);
            char text[MaxCharacterText];
            const std::size_t length = static_cast<std::size_t>(WriteCharacterText(character, text) - text);
            std::memcpy(slots[i].Bytes.data(), text, length);
            slots[i].Length = static_cast<std::uint8_t>(length);
        }
        return slots;
    }();
    return texts;
}

TRowWriter::TRowWriter(const TTableSettings& settings, const TCellReading& reading)
    : Reading(reading),
      Separator(SeparatorByte(reading.Separator)),
      LineBreak(reading.Xhtml ? "<br />" : "<br>"),
      RowTag("  " + OpeningTag("tr", settings.RowClass)),
      HeaderTag(OpeningTag("th", settings.HeaderClass)),
      DataTag(OpeningTag("td", settings.CellClass)),
      EmptyCellText(settings.EmptyCellText),
      HeaderRows(HeaderCount(settings.TitleRows)),
      HeaderCols(HeaderCount(settings.TitleCols)),
      Header(HeaderTag, HeaderClose, EmptyCellText, reading),
      Data(DataTag, DataClose, EmptyCellText, reading)
{
}

#ifdef TABULOR_VECTOR_SCAN

namespace {

// Copies the bytes from p that are their own text, up to sixteen, to out; returns their count.
// A row's last fifteen bytes or fewer are left to the table: past them may lie the end of the
// memory, and a copy of them to look at costs more than the table's steps.
inline std::size_t CopyPlain(const TByteFinder<5>& special, const char* p, const char* end, char* out)
{
    constexpr std::size_t width = ScanWidth;
    if (static_cast<std::size_t>(end - p) < width)
        return 0;
    const unsigned found = special.Find(p);
    std::memcpy(out, p, width);
    return found == 0 ? width : static_cast<std::size_t>(std::countr_zero(found));
}

}  // namespace

// The accented letters of a Unicode source, and the euro sign, dashes and typographic quotes
// that start with 0xE2, are common enough to be written in one step rather than a step a byte.
// A first byte not followed by the bytes it needs is left to the table, which then does what it
// does for such text anywhere. Only for a Unicode source.
inline std::size_t TRowWriter::TExpansion::WriteCommonCharacter(const char* p, const char* end, char*& out) const
{
    if (end - p < 2 || (static_cast<unsigned char>(p[1]) & 0xC0) != 0x80)
        return 0;
    const auto lead = static_cast<unsigned char>(*p);
    const TSlot* slot;
    std::size_t taken = 2;
    if (lead >= FirstLead && lead <= LastLead) {
        slot = &Slots[LeadState(lead) + static_cast<unsigned char>(p[1])];
    } else if (lead == LeadE2 && end - p >= 3) {
        slot = &E2Text(p + 1);
        taken = 3;
    } else {
        return 0;
    }
    std::memcpy(out, slot, sizeof *slot);
    out += slot->Length;
    return taken;
}

// Runs of bytes that are their own text are copied sixteen at a time; every other byte takes one
// step through the table, as in the loop below. The state after a first byte of a UTF-8
// character leaves its next byte to the table.
template <bool HasLongSlots>
const char* TRowWriter::TExpansion::Expand(const char* p, const char* end, char*& out, std::size_t& state) const
{
    const TSlot* const slots = Slots.data();
    const std::uint16_t* const next = Next.data();
    std::size_t current = state;
    // Locals, not the caller's variable and a member, so that they stay in registers: the
    // compiler cannot tell that writing the output does not change them.
    char* o = out;
    const bool unicode = E2Texts != nullptr;
    const bool quotesOpen = QuotesOpen;
    while (p != end) {
        if (current == InCell || current == CellStart) {
            const std::size_t plain = CopyPlain(Special, p, end, o);
            p += plain;
            o += plain;
            if (plain != 0)
                current = InCell;
            if (plain == ScanWidth || p == end)
                continue;
            if (quotesOpen && *p == '"' && current == CellStart)
                break;
            // Only a Unicode source, whose table has long slots, has characters of many bytes.
            const bool firstOfMany = HasLongSlots && unicode && static_cast<unsigned char>(*p) >= FirstLead;
            if (const std::size_t taken = firstOfMany ? WriteCommonCharacter(p, end, o) : 0; taken != 0) {
                p += taken;
                current = InCell;
                continue;
            }
        }
        const std::size_t byte = static_cast<unsigned char>(*p);
        const TSlot& slot = slots[byte + current];
        if (HasLongSlots && slot.Length == LongSlot)
            break;
        std::memcpy(o, &slot, sizeof slot);
        o += slot.Length;
        current = next[byte];
        ++p;
    }
    out = o;
    state = current;
    return p;
}

#else

// The loop every byte of a table goes through, so kept lean: one load and one store of a slot per
// byte, and the test for a long text only where a table has one. The next state depends on the
// byte alone, so no byte waits for the lookup of the one before it.
template <bool HasLongSlots>
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
        if (HasLongSlots && slot.Length == LongSlot)
            break;
        std::memcpy(out, &slot, sizeof slot);
        out += slot.Length;
        current = next[byte];
    }
    state = current;
    return p;
}

#endif

void TRowWriter::WriteCells(const TExpansion& expansion, std::string_view bytes, std::size_t& state,
                            TOutputLines& output) const
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p != end) {
        const char* const stop = p + std::min(static_cast<std::size_t>(end - p), Block);
        // A byte's text is shorter than its slot, which is copied whole: a slot a byte is room
        // enough, the last one's included.
        char* out = output.BeginWrite(static_cast<std::size_t>(stop - p) * sizeof(TExpansion::TSlot));
        p = expansion.HasLong ? expansion.Expand<true>(p, stop, out, state)
                              : expansion.Expand<false>(p, stop, out, state);
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
        output.Append(expansion.LongSeparators[state == TExpansion::CellStart]);
        state = TExpansion::CellStart;
        return p + 1;
    }
    if (*p == '"')
        return WriteQuotedField(p, end, state, output);
    state = TExpansion::InCell;
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    if (bytes[0] == LeadE2 && end - p >= 3) {
        const TExpansion::TSlot& slot = expansion.E2Text(p + 1);
        output.Append({slot.Bytes.data(), slot.Length});
        return p + 3;
    }
    std::size_t length = 0;
    const char32_t character = DecodeUtf8({p, static_cast<std::size_t>(end - p)}, length);
    output.EndWrite(WriteCharacterText(character, output.BeginWrite(MaxCharacterText)));
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
    state = inside == 0 ? TExpansion::CellStart : TExpansion::InCell;
    return opening + fieldEnd;
}

// Where the run of text from i that stays as it is between quotes ends.
std::size_t TRowWriter::PlainRunEnd(std::string_view text, std::size_t i) const
{
#ifdef TABULOR_VECTOR_SCAN
    for (; text.size() - i >= ScanWidth; i += ScanWidth) {
        if (const unsigned found = QuotedStops.Find(text.data() + i); found != 0)
            return i + static_cast<std::size_t>(std::countr_zero(found));
    }
#endif
    while (i < text.size() && IsPlainText(static_cast<unsigned char>(text[i]), Reading.Utf8))
        ++i;
    return i;
}

// Between the quotes a doubled quote is one, each line end is a break, and separators are text.
void TRowWriter::WriteQuotedText(std::string_view text, TOutputLines& output) const
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsPlainText(byte, Reading.Utf8)) {
            const std::size_t start = i;
            i = PlainRunEnd(text, i);
            output.Append(text.substr(start, i - start));
        } else if (byte == '"') {
            output.Append("\"");
            i += 2;
        } else if (byte == '\r' || byte == '\n') {
            output.Append(LineBreak);
            i += byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else if (Reading.Utf8 && byte >= 0x80) {
            const char32_t character = DecodeUtf8(text, i);
            output.EndWrite(WriteCharacterText(character, output.BeginWrite(MaxCharacterText)));
        } else {
            output.Append(ByteReplacement(byte));
            ++i;
        }
    }
}

// Where the given number of leading cells ends: at that cell's closing separator, or at the end.
std::size_t TRowWriter::CellsEnd(std::string_view text, std::size_t cells) const
{
    const bool csv = Reading.Separator != fsTab;
    std::size_t at = 0;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        if (csv && at < text.size() && text[at] == '"')
            at = std::min(QuotedFieldEnd(text, at), text.size());
        at = text.find(Separator, at);
        if (at == std::string_view::npos)
            return text.size();
        if (cell + 1 < cells)
            ++at;
    }
    return at;
}

void TRowWriter::AddRow(std::string_view text, std::size_t row, TOutputLines& output) const
{
    output.Append(RowTag);
    std::size_t state = TExpansion::CellStart;
    const std::size_t headerCells = row < HeaderRows ? std::string_view::npos : HeaderCols;
    if (headerCells > 0) {
        const std::size_t headerEnd = CellsEnd(text, headerCells);
        output.Append(HeaderTag);
        WriteCells(Header, text.substr(0, headerEnd), state, output);
        if (headerEnd == text.size()) {
            EndRow(HeaderClose, state, output);
            return;
        }
        // The separator that leaves the header columns closes a header cell and opens a data cell.
        EndCell(HeaderClose, state, output);
        text.remove_prefix(headerEnd + 1);
    }
    AddDataCells(text, output);
}

void TRowWriter::AddDataCells(std::string_view text, TOutputLines& output) const
{
    std::size_t state = TExpansion::CellStart;
    output.Append(DataTag);
    WriteCells(Data, text, state, output);
    EndRow(DataClose, state, output);
}

void TRowWriter::AddCellText(std::string_view field, TOutputLines& output) const
{
    std::size_t state = TExpansion::CellStart;
    WriteCells(Data, field, state, output);
    if (state == TExpansion::CellStart)
        output.Append(EmptyCellText);
}

void TRowWriter::EndCell(std::string_view close, std::size_t state, TOutputLines& output) const
{
    if (state == TExpansion::CellStart)
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
