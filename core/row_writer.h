// Writes a table's rows in one pass over each line's bytes. Every byte is looked up in a table of
// what it becomes, given whether it starts a cell: a tab closes one cell and opens the next, a tab
// that starts a cell writes the empty-cell text first, and no byte needs a branch of its own. The
// cost of a row is thus that of its bytes, however many cells it holds.
//
// It does not write the table's opening and closing lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "output_lines.h"
#include "table_settings.h"

namespace tabulor {

class TRowWriter {
public:
    explicit TRowWriter(const TTableSettings& settings);
    // The row of the given index (from 0) in the source.
    void AddRow(std::string_view line, std::size_t row, TOutputLines& output) const;

private:
    // What each byte becomes inside cells of one kind (header or data).
    struct TExpansion {
        // A byte's text and its length in one 16-byte load and store.
        struct TSlot {
            std::array<char, 15> Bytes;
            std::uint8_t Length;
        };
        static constexpr std::uint8_t kLong = 0xFF;

        TExpansion(std::string_view open, std::string_view close, std::string_view emptyCellText);

        // Writes what the bytes from p become at out, which has room for a slot per byte, and
        // moves out past them. Stops before a byte whose text does not fit a slot (only a tab's
        // may not) and returns where it stopped. cellStart says whether the first byte starts a
        // cell, then whether the byte where it stopped does.
        template <bool kHasLong>
        const char* Expand(const char* p, const char* end, char*& out, bool& cellStart) const;

        // Indexed by byte value + 256 when the byte starts a cell.
        std::array<TSlot, 512> Slots{};
        // The tab's text where it does not fit a slot (long classes or empty-cell text), by
        // whether the tab starts a cell; its slot's length is kLong.
        std::array<std::string, 2> LongTabs;
    };

    void WriteCells(const TExpansion& expansion, std::string_view bytes, bool& cellStart,
                    TOutputLines& output) const;
    void EndCell(std::string_view close, bool cellStart, TOutputLines& output) const;
    void EndRow(std::string_view close, bool cellStart, TOutputLines& output) const;

    std::string RowTag;
    std::string HeaderTag;
    std::string DataTag;
    std::string EmptyCellText;
    // The header counts, a negative one taken as none here and nowhere else.
    std::size_t TitleRows;
    std::size_t TitleCols;
    TExpansion Header;
    TExpansion Data;
};

}  // namespace tabulor
