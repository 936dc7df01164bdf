#include "byte_table.h"

namespace tabulor {

class TByteLoop {
public:
    // The loop every byte of a table goes through, so kept lean: one load and one store of a slot
    // per byte, and the test for a long text only where a table has one. The next state depends
    // on the byte alone, so no byte waits for the lookup of the one before it.
    template <bool HasLongSlots>
    static const char* Expand(const TByteTable& table, const char* p, const char* end, char*& out,
                              std::size_t& state)
    {
        const TByteTable::TSlot* const slots = table.Slots.data();
        const std::uint16_t* const next = table.Next.data();
        std::size_t current = state;
#pragma GCC unroll 4
        for (; p != end; ++p) {
            if (!TByteTable::Step<HasLongSlots>(slots, next, *p, out, current))
                break;
        }
        state = current;
        return p;
    }
};

// A quote that opens a field has a long slot, for which this loop must look.
const char* TByteTable::Expand(const char* p, const char* end, char*& out, std::size_t& state) const
{
    return HasLong || QuotesOpen ? TByteLoop::Expand<true>(*this, p, end, out, state)
                                 : TByteLoop::Expand<false>(*this, p, end, out, state);
}

std::size_t SkipQuotedWindows(std::string_view, std::size_t i)
{
    return i;
}

}  // namespace tabulor
