#include "byte_table.h"

namespace tabulor {

// The loop every byte of a table goes through, so kept lean: one load and one store of a slot per
// byte, and the test for a long text only where a table has one. The next state depends on the
// byte alone, so no byte waits for the lookup of the one before it.
template <bool HasLongSlots>
class TByteLoop {
public:
    explicit TByteLoop(const TByteTable& table) : Slots(table.Slots.data()), Next(table.Next.data()) {}

    const char* operator()(const char* p, const char* end, char*& out, std::size_t& state) const
    {
        std::size_t current = state;
#pragma GCC unroll 4
        for (; p != end; ++p) {
            if (!TByteTable::Step<HasLongSlots>(Slots, Next, *p, out, current))
                break;
        }
        state = current;
        return p;
    }

private:
    const TByteTable::TSlot* Slots;
    const std::uint16_t* Next;
};

// A quote that opens a field has a long slot, for which this loop must look.
const char* TByteTable::Write(const char* p, const char* end, std::size_t& state, TOutputLines& output) const
{
    return HasLong || QuotesOpen ? WriteBlocks(p, end, state, output, TByteLoop<true>(*this))
                                 : WriteBlocks(p, end, state, output, TByteLoop<false>(*this));
}

std::size_t SkipQuotedWindows(std::string_view, std::size_t i)
{
    return i;
}

}  // namespace tabulor
