#include "row_writer.h"

#include <algorithm>

#include "cell_encoding.h"
#include "source_rows.h"
#include "utf8.h"

namespace tabulor {

namespace {

bool IsPlainText(unsigned char byte, bool utf8)
{
    return byte != '"' && byte != '\r' && byte != '\n' && !(utf8 && byte >= 0x80)
           && ByteReplacement(byte).empty();
}

}  // namespace

TRowWriter::TRowWriter(const TTableSettings& settings, const TCellReading& reading)
    : Reading(reading),
      Separator(SeparatorByte(reading.Separator)),
      Markup(settings, reading.Xhtml),
      Header(Markup.Tag(true), TCellMarkup::ClosingTag(true), Markup.EmptyCellText(), reading.Separator,
             reading.Utf8),
      Data(Markup.Tag(false), TCellMarkup::ClosingTag(false), Markup.EmptyCellText(), reading.Separator,
           reading.Utf8)
{
}

// The table writes every byte but the quotes that open fields.
inline void TRowWriter::WriteCells(const TByteTable& table, std::string_view bytes, std::size_t& state,
                                   TOutputLines& output) const
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while ((p = table.Write(p, end, state, output)) != end)
        p = WriteQuotedField(p, end, state, output);
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
    state = inside == 0 ? TByteTable::CellStart : TByteTable::InCell;
    return opening + fieldEnd;
}

// Where the run of text from i that stays as it is between quotes ends.
std::size_t TRowWriter::PlainRunEnd(std::string_view text, std::size_t i) const
{
    i = SkipQuotedWindows(text, i);
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
            output.Append(Markup.LineBreak());
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
    const bool csv = Reading.Separator != TFieldSeparator::Tab;
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
    Markup.BeginRow(output);
    std::size_t state = TByteTable::CellStart;
    const std::size_t headerCells = Markup.HeaderCells(row);
    if (headerCells > 0) {
        const std::size_t headerEnd = CellsEnd(text, headerCells);
        output.Append(Markup.Tag(true));
        WriteCells(Header, text.substr(0, headerEnd), state, output);
        if (headerEnd == text.size()) {
            EndRow(true, state, output);
            return;
        }
        // The separator that leaves the header columns closes a header cell and opens a data cell.
        EndCell(true, state, output);
        text.remove_prefix(headerEnd + 1);
    }
    AddDataCells(text, output);
}

void TRowWriter::AddDataCells(std::string_view text, TOutputLines& output) const
{
    std::size_t state = TByteTable::CellStart;
    output.Append(Markup.Tag(false));
    WriteCells(Data, text, state, output);
    EndRow(false, state, output);
}

void TRowWriter::AddCellText(std::string_view field, TOutputLines& output) const
{
    std::size_t state = TByteTable::CellStart;
    WriteCells(Data, field, state, output);
    if (state == TByteTable::CellStart)
        output.Append(Markup.EmptyCellText());
}

void TRowWriter::EndCell(bool header, std::size_t state, TOutputLines& output) const
{
    if (state == TByteTable::CellStart)
        output.Append(Markup.EmptyCellText());
    output.Append(TCellMarkup::ClosingTag(header));
}

void TRowWriter::EndRow(bool header, std::size_t state, TOutputLines& output) const
{
    EndCell(header, state, output);
    Markup.EndRow(output);
}

}  // namespace tabulor
