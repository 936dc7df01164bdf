// What each byte of a text source's row becomes inside cells of one kind (header or data), and
// the loop that writes a row's bytes through that table. Every byte is looked up in the table in
// the state the byte before it left: whether it starts a cell, or follows the first byte of a
// two-byte UTF-8 character. A separator closes one cell and opens the next, a separator that
// starts a cell writes the empty-cell text first, the second byte of an accented letter writes
// its entity, and no such byte needs a branch of its own. The cost of a row is thus that of its
// bytes, however many cells it holds. The rare bytes whose text does not fit the table (a long
// separator text, a quote that opens a CSV field, the first byte of a rarer UTF-8 character)
// stop the loop and are written on their own.
//
// The loop comes in two forms, of which CMake builds one: byte_table_sse2.cpp copies the runs of
// bytes that stay as they are sixteen at a time, byte_table_plain.cpp takes a byte at a time, as
// processors without SSE2 must (and as TABULOR_PLAIN_SCAN asks, so that tests cover it).
//
// It does not write a quoted field, nor a row's or a cell's tags around its bytes: the row
// writer does.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cell_markup.h"
#include "output_lines.h"
#include "source_format.h"

namespace tabulor {

class TByteTable {
public:
    // The states, as offsets into the slots: inside a cell and at a cell's start; after the first
    // byte of a UTF-8 character, others of the table's own.
    static constexpr std::size_t InCell = 0;
    static constexpr std::size_t CellStart = 256;

    // open and close: the cells' tags, which a separator writes between two cells.
    TByteTable(std::string_view open, std::string_view close, std::string_view emptyCellText,
               TFieldSeparator separator, bool utf8);

    // Writes what the bytes from p become, in the given state, up to end or up to a quote that
    // opens a field, which it leaves to the caller; returns where it stopped, and leaves in state
    // the state there.
    const char* Write(const char* p, const char* end, std::size_t& state, TOutputLines& output) const;

private:
    // The loop of the build's choice, in byte_table_sse2.cpp or byte_table_plain.cpp.
    template <bool HasLongSlots>
    friend class TByteLoop;

    // A byte's text and its length in one 16-byte load and store.
    struct TSlot {
        std::array<char, 15> Bytes;
        std::uint8_t Length;
    };
    static constexpr std::uint8_t LongSlot = 0xFF;

    // The states after the first byte of a two-byte UTF-8 character (0xC2 to 0xDF), one for each.
    // A second byte is 0x80 to 0xBF, so the states' slots overlap: each state's 64 slots for its
    // second bytes lie side by side, the first state's 128 slots below them padding. A byte that
    // cannot follow in checked text finds another state's slot, or the padding's, still inside
    // the table. Every other character of 0x80 and up leaves the table; those that start with
    // 0xE2 (the euro sign, dashes, typographic quotes) have their texts ready beside it.
    static constexpr unsigned FirstLead = 0xC2;
    static constexpr unsigned LastLead = 0xDF;
    static constexpr unsigned LeadE2 = 0xE2;
    static constexpr std::size_t NextBytes = 64;
    static constexpr std::size_t TwoByteBlocks = LastLead + 1 - FirstLead;
    static constexpr std::size_t LeadSlots = 512 + 128;
    static constexpr std::size_t LeadState(unsigned lead) { return LeadSlots + (lead - FirstLead) * NextBytes - 0x80; }

    // A byte's step through the table, in either loop: writes its slot at out, moves out past its
    // text and state to the state after it. Writes nothing and returns false where the slot is
    // long, if the table has long slots.
    template <bool HasLongSlots>
    static bool Step(const TSlot* table, const std::uint16_t* next, char byte, char*& out, std::size_t& state)
    {
        const std::size_t index = static_cast<unsigned char>(byte);
        const TSlot& slot = table[index + state];
        if (HasLongSlots && slot.Length == LongSlot)
            return false;
        std::memcpy(out, &slot, sizeof slot);
        out += slot.Length;
        state = next[index];
        return true;
    }

    void SetSlot(std::size_t state, unsigned byte, std::string_view text, std::size_t next);
    static const std::vector<TSlot>& UnicodeTexts();
    // The text of the character of three bytes starting with 0xE2 whose other two are at p.
    const TSlot& E2Text(const char* p) const;

    // Writes the bytes from p up to end a block at a time, each in one reservation of output room,
    // through the loop of the build's choice: expand(p, stop, out, state) writes what the bytes
    // from p become at out, which has room for a slot per byte, and moves out past them; it stops
    // before a byte whose slot is long, or at a quote that opens a field, and returns where it
    // stopped, state the state there. Write, in the file of that loop, calls this with it.
    template <typename TExpand>
    const char* WriteBlocks(const char* p, const char* end, std::size_t& state, TOutputLines& output,
                            const TExpand& expand) const
    {
        while (p != end) {
            const char* const stop = p + std::min(static_cast<std::size_t>(end - p), CellTextBlock);
            // A byte's text is shorter than its slot, which is copied whole: a slot a byte is room
            // enough, the last one's included.
            char* out = output.BeginWrite(static_cast<std::size_t>(stop - p) * sizeof(TSlot));
            p = expand(p, stop, out, state);
            output.EndWrite(out);
            output.FlushIfFull();
            if (p != stop) {
                if (*p == '"')
                    return p;
                p = WriteLong(p, end, state, output);
            }
        }
        return p;
    }

    // A separator whose text is long, or a character of three or four UTF-8 bytes. Returns where
    // the bytes that it took end.
    const char* WriteLong(const char* p, const char* end, std::size_t& state, TOutputLines& output) const;

    // Indexed by byte value + state.
    std::vector<TSlot> Slots;
    // The state after each byte, which is the same from every state.
    std::array<std::uint16_t, 256> Next{};
    // The separator's text where it does not fit a slot (long classes or empty-cell text), by
    // whether it starts a cell.
    std::array<std::string, 2> LongSeparators;
    // Whether a slot is long other than the one of a quote that opens a field, which the
    // sixteen-byte loop finds without looking at slots.
    bool HasLong = false;
    // A quote at a cell's start opens a quoted field: with a semicolon or a comma between fields.
    bool QuotesOpen;
    TFieldSeparator Separator;
    // The texts of the characters that start with 0xE2, for a Unicode source.
    const TSlot* E2Texts = nullptr;
};

// From i, past the sixteen-byte windows of text that hold neither a quote, a line end, a markup
// character nor a byte from 0x80 up: to the first such byte, or to the last window, shorter. A
// quoted field's text is written as it stands up to such a byte. Where the build takes a byte at
// a time, i itself.
std::size_t SkipQuotedWindows(std::string_view text, std::size_t i);

}  // namespace tabulor
