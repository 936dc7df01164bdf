#include "byte_table.h"

#include <bit>
#include <cstring>

#include "byte_finder.h"

namespace tabulor {

namespace {

// Copies the bytes from p that are their own text, up to sixteen, to out; returns their count.
// A row's last fifteen bytes or fewer are left to the table: past them may lie the end of the
// memory, and a copy of them to look at costs more than the table's steps.
inline std::size_t CopyPlain(const TByteFinder<5>& special, const char* p, const char* end, char* out)
{
    if (static_cast<std::size_t>(end - p) < ScanWidth)
        return 0;
    const unsigned found = special.Find(p);
    std::memcpy(out, p, ScanWidth);
    return found == 0 ? ScanWidth : static_cast<std::size_t>(std::countr_zero(found));
}

// The bytes that end a run of text between quotes.
const TByteFinder<6> QuotedStops({'"', '\r', '\n', '&', '<', '>'});

}  // namespace

class TByteLoop {
public:
    template <bool HasLongSlots>
    static const char* Expand(const TByteTable& table, const char* p, const char* end, char*& out,
                              std::size_t& state);

private:
    static std::size_t WriteCommonCharacter(const TByteTable& table, const char* p, const char* end, char*& out);
};

// The accented letters of a Unicode source, and the euro sign, dashes and typographic quotes
// that start with 0xE2, are common enough to be written in one step rather than a step a byte.
// A first byte not followed by the bytes it needs is left to the table, which then does what it
// does for such text anywhere. Returns the bytes it took, 0 where it wrote none.
inline std::size_t TByteLoop::WriteCommonCharacter(const TByteTable& table, const char* p, const char* end,
                                                   char*& out)
{
    if (end - p < 2 || (static_cast<unsigned char>(p[1]) & 0xC0) != 0x80)
        return 0;
    const auto lead = static_cast<unsigned char>(*p);
    const TByteTable::TSlot* slot;
    std::size_t taken = 2;
    if (lead >= TByteTable::FirstLead && lead <= TByteTable::LastLead) {
        slot = &table.Slots[TByteTable::LeadState(lead) + static_cast<unsigned char>(p[1])];
    } else if (lead == TByteTable::LeadE2 && end - p >= 3) {
        slot = &table.E2Text(p + 1);
        taken = 3;
    } else {
        return 0;
    }
    std::memcpy(out, slot, sizeof *slot);
    out += slot->Length;
    return taken;
}

// Runs of bytes that are their own text are copied sixteen at a time; every other byte takes one
// step through the table, as in the byte-at-a-time loop. The state after a first byte of a UTF-8
// character leaves its next byte to the table.
template <bool HasLongSlots>
const char* TByteLoop::Expand(const TByteTable& table, const char* p, const char* end, char*& out,
                              std::size_t& state)
{
    const TByteTable::TSlot* const slots = table.Slots.data();
    const std::uint16_t* const next = table.Next.data();
    std::size_t current = state;
    // Locals, not the caller's variable and members, so that they stay in registers: the
    // compiler cannot tell that writing the output does not change them.
    char* o = out;
    const bool unicode = table.E2Texts != nullptr;
    const bool quotesOpen = table.QuotesOpen;
    // The bytes below 0x80 whose text is not themselves in some state.
    const TByteFinder<5> special({table.Separator, '&', '<', '>', quotesOpen ? '"' : '&'});
    while (p != end) {
        if (current == TByteTable::InCell || current == TByteTable::CellStart) {
            const std::size_t plain = CopyPlain(special, p, end, o);
            p += plain;
            o += plain;
            if (plain != 0)
                current = TByteTable::InCell;
            if (plain == ScanWidth || p == end)
                continue;
            if (quotesOpen && *p == '"' && current == TByteTable::CellStart)
                break;
            // Only a Unicode source, whose table has long slots, has characters of many bytes.
            const bool firstOfMany = HasLongSlots && unicode && static_cast<unsigned char>(*p) >= TByteTable::FirstLead;
            if (const std::size_t taken = firstOfMany ? WriteCommonCharacter(table, p, end, o) : 0; taken != 0) {
                p += taken;
                current = TByteTable::InCell;
                continue;
            }
        }
        if (!TByteTable::Step<HasLongSlots>(slots, next, *p, o, current))
            break;
        ++p;
    }
    out = o;
    state = current;
    return p;
}

// The loop finds a quote that opens a field by itself: it needs no long slot for it.
const char* TByteTable::Expand(const char* p, const char* end, char*& out, std::size_t& state) const
{
    return HasLong ? TByteLoop::Expand<true>(*this, p, end, out, state)
                   : TByteLoop::Expand<false>(*this, p, end, out, state);
}

std::size_t SkipQuotedWindows(std::string_view text, std::size_t i)
{
    for (; text.size() - i >= ScanWidth; i += ScanWidth) {
        if (const unsigned found = QuotedStops.Find(text.data() + i); found != 0)
            return i + static_cast<std::size_t>(std::countr_zero(found));
    }
    return i;
}

}  // namespace tabulor
