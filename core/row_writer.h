// Writes a table's rows in one pass over each row's bytes. Every byte is looked up in a table of
// what it becomes in the state the byte before it left: whether it starts a cell, or follows the
// first byte of a two-byte UTF-8 character. A separator closes one cell and opens the next, a
// separator that starts a cell writes the empty-cell text first, the second byte of an accented
// letter writes its entity, and no such byte needs a branch of its own. The cost of a row is
// thus that of its bytes, however many cells it holds. The rare bytes whose text does not fit
// the table (a long separator text, a quote that opens a CSV field, the first byte of a rarer
// UTF-8 character) stop the pass and are written on their own.
//
// It does not write the table's opening and closing lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "byte_finder.h"
#include "output_lines.h"
#include "source_format.h"
#include "table_settings.h"

namespace tabulor {

// A cell's or row's opening tag with its class, if any: "<td class=\"c\">".
std::string OpeningTag(std::string_view tag, const std::string& className);

// The stem of the header cells' ids where the destination gives none.
inline constexpr std::string_view DefaultIdStem = "tableau";

// How the rows' text reads, how a line break inside a quoted field is written, and the stem of
// the header cells' ids.
struct TCellReading {
    TFieldSeparator Separator = fsTab;
    bool Utf8 = false;  // else Windows-1252
    bool Xhtml = false;  // a break is "<br />" rather than "<br>"
    std::string_view IdStem = DefaultIdStem;
};

class TRowWriter {
public:
    explicit TRowWriter(const TTableSettings& settings, const TCellReading& reading = {});
    // The row of the given index (from 0) in the table; a block past the first gives its rows
    // the header rows' count, for they are data rows.
    void AddRow(std::string_view text, std::size_t row, TOutputLines& output) const;

    // For rows whose cells carry attributes of their own, written a cell at a time:
    void BeginRow(TOutputLines& output) const { output.Append(RowTag); }
    // Where the row's first field ends: at its separator, or at the row's end.
    std::size_t FieldEnd(std::string_view text) const { return CellsEnd(text, 1); }
    // One field's text as its cell holds it, the empty-cell text for an empty one.
    void AddCellText(std::string_view field, TOutputLines& output) const;
    // The rest of a row as plain data cells, and the row's end.
    void AddDataCells(std::string_view text, TOutputLines& output) const;

private:
    // What each byte becomes inside cells of one kind (header or data).
    struct TExpansion {
        // A byte's text and its length in one 16-byte load and store.
        struct TSlot {
            std::array<char, 15> Bytes;
            std::uint8_t Length;
        };
        static constexpr std::uint8_t LongSlot = 0xFF;
        // The states, as offsets into the slots: inside a cell, at a cell's start, and after
        // the first bytes of a UTF-8 character (see row_writer.cpp).
        static constexpr std::size_t InCell = 0;
        static constexpr std::size_t CellStart = 256;

        TExpansion(std::string_view open, std::string_view close, std::string_view emptyCellText,
                   const TCellReading& reading);

        // Writes what the bytes from p become at out, which has room for a slot per byte, and
        // moves out past them. Stops before a byte whose slot is long and returns where it
        // stopped; state is the state there.
        template <bool HasLongSlots>
        const char* Expand(const char* p, const char* end, char*& out, std::size_t& state) const;

        void SetSlot(std::size_t state, unsigned byte, std::string_view text, std::size_t next);

        static const std::vector<TSlot>& UnicodeTexts();
        // The text of the character of three bytes starting with 0xE2 whose other two are at p.
        const TSlot& E2Text(const char* p) const;
#ifdef TABULOR_VECTOR_SCAN
        // Writes the character at p at out where it is one of the common ones of a Unicode source;
        // returns the bytes it took, 0 where it wrote none.
        std::size_t WriteCommonCharacter(const char* p, const char* end, char*& out) const;
#endif

        // Indexed by byte value + state.
        std::vector<TSlot> Slots;
        // The state after each byte, which is the same from every state.
        std::array<std::uint16_t, 256> Next{};
        // The separator's text where it does not fit a slot (long classes or empty-cell text),
        // by whether it starts a cell.
        std::array<std::string, 2> LongSeparators;
        bool HasLong = false;
        // The texts of the characters that start with 0xE2, for a Unicode source.
        const TSlot* E2Texts = nullptr;
#ifdef TABULOR_VECTOR_SCAN
        // A quote at a cell's start opens a quoted field: with a semicolon or a comma between
        // fields.
        bool QuotesOpen;
        // The bytes below 0x80 whose text is not themselves in some state.
        TByteFinder<5> Special;
#endif
    };

    void WriteCells(const TExpansion& expansion, std::string_view bytes, std::size_t& state,
                    TOutputLines& output) const;
    const char* WriteLong(const TExpansion& expansion, const char* p, const char* end,
                          std::size_t& state, TOutputLines& output) const;
    const char* WriteQuotedField(const char* opening, const char* end, std::size_t& state,
                                 TOutputLines& output) const;
    void WriteQuotedText(std::string_view text, TOutputLines& output) const;
    std::size_t PlainRunEnd(std::string_view text, std::size_t i) const;
    std::size_t CellsEnd(std::string_view text, std::size_t cells) const;
    void EndCell(std::string_view close, std::size_t state, TOutputLines& output) const;
    void EndRow(std::string_view close, std::size_t state, TOutputLines& output) const;

    TCellReading Reading;
    char Separator;
    std::string_view LineBreak;
    std::string RowTag;
    std::string HeaderTag;
    std::string DataTag;
    std::string EmptyCellText;
    // The header counts, a negative one taken as none.
    std::size_t HeaderRows;
    std::size_t HeaderCols;
    TExpansion Header;
    TExpansion Data;
#ifdef TABULOR_VECTOR_SCAN
    // The bytes that end a run of text between quotes.
    TByteFinder<6> QuotedStops{{'"', '\r', '\n', '&', '<', '>'}};
#endif
};

}  // namespace tabulor
