#include "byte_table.h"

#include <bit>
#include <cstring>

#include "byte_finder.h"

namespace tabulor {

namespace {

// The bytes below 0x80 whose text is not themselves in some state: the separator, the markup
// characters and, where quotes open fields, the quote. Made once for each separator, not for
// each cell.
template <TFieldSeparator Separator>
const TByteFinder<5> SpecialBytes({SeparatorByte(Separator), '&', '<', '>', Separator == TFieldSeparator::Tab ? '&' : '"'});

const TByteFinder<5>& SpecialBytesOf(TFieldSeparator separator)
{
    switch (separator) {
    case TFieldSeparator::Semicolon:
        return SpecialBytes<TFieldSeparator::Semicolon>;
    case TFieldSeparator::Comma:
        return SpecialBytes<TFieldSeparator::Comma>;
    case TFieldSeparator::Tab:
        break;
    }
    return SpecialBytes<TFieldSeparator::Tab>;
}

// The bytes that end a run of text between quotes.
const TByteFinder<6> QuotedStops({'"', '\r', '\n', '&', '<', '>'});

}  // namespace

// Runs of bytes that are their own text are copied sixteen at a time; every other byte takes one
// step through the table, as in the byte-at-a-time loop. The state after a first byte of a UTF-8
// character leaves its next byte to the table.
template <bool HasLongSlots>
class TByteLoop {
public:
    explicit TByteLoop(const TByteTable& table) : Table(table), Special(SpecialBytesOf(table.Separator)) {}

    const char* operator()(const char* p, const char* end, char*& out, std::size_t& state) const;

private:
    std::size_t CopyPlain(const char* p, const char* end, char* out) const;
    std::size_t WriteCommonCharacter(const char* p, const char* end, char*& out) const;

    const TByteTable& Table;
    const TByteFinder<5>& Special;
};

template <bool HasLongSlots>
inline const char* TByteLoop<HasLongSlots>::operator()(const char* p, const char* end, char*& out, std::size_t& state) const
{
    const TByteTable::TSlot* const slots = Table.Slots.data();
    const std::uint16_t* const next = Table.Next.data();
    std::size_t current = state;
    // Locals, not the caller's variable and members, so that they stay in registers: the
    // compiler cannot tell that writing the output does not change them.
    char* o = out;
    const bool unicode = Table.E2Texts != nullptr;
    const bool quotesOpen = Table.QuotesOpen;
    while (p != end) {
        if (current == TByteTable::InCell || current == TByteTable::CellStart) {
            const std::size_t plain = CopyPlain(p, end, o);
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
            if (const std::size_t taken = firstOfMany ? WriteCommonCharacter(p, end, o) : 0; taken != 0) {
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

// Copies the bytes from p that are their own text, up to sixteen, to out; returns their count.
// A row's last fifteen bytes or fewer are left to the table: past them may lie the end of the
// memory, and a copy of them to look at costs more than the table's steps.
template <bool HasLongSlots>
inline std::size_t TByteLoop<HasLongSlots>::CopyPlain(const char* p, const char* end, char* out) const
{
    if (static_cast<std::size_t>(end - p) < ScanWidth)
        return 0;
    const unsigned found = Special.Find(p);
    std::memcpy(out, p, ScanWidth);
    return found == 0 ? ScanWidth : static_cast<std::size_t>(std::countr_zero(found));
}

// The accented letters of a Unicode source, and the euro sign, dashes and typographic quotes
// that start with 0xE2, are common enough to be written in one step rather than a step a byte.
// A first byte not followed by the bytes it needs is left to the table, which then does what it
// does for such text anywhere. Returns the bytes it took, 0 where it wrote none.
template <bool HasLongSlots>
inline std::size_t TByteLoop<HasLongSlots>::WriteCommonCharacter(const char* p, const char* end, char*& out) const
{
    if (end - p < 2 || (static_cast<unsigned char>(p[1]) & 0xC0) != 0x80)
        return 0;
    const auto lead = static_cast<unsigned char>(*p);
    const TByteTable::TSlot* slot;
    std::size_t taken = 2;
    if (lead >= TByteTable::FirstLead && lead <= TByteTable::LastLead) {
        slot = &Table.Slots[TByteTable::LeadState(lead) + static_cast<unsigned char>(p[1])];
    } else if (lead == TByteTable::LeadE2 && end - p >= 3) {
        slot = &Table.E2Text(p + 1);
        taken = 3;
    } else {
        return 0;
    }
    std::memcpy(out, slot, sizeof *slot);
    out += slot->Length;
    return taken;
}

// The loop finds a quote that opens a field by itself: it needs no long slot for it.
const char* TByteTable::Write(const char* p, const char* end, std::size_t& state, TOutputLines& output) const
{
    return HasLong ? WriteBlocks(p, end, state, output, TByteLoop<true>(*this))
                   : WriteBlocks(p, end, state, output, TByteLoop<false>(*this));
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
