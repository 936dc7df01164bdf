#include "utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "utf8_lookup.h"

namespace tabulor {
namespace {

// The length of the sequence that lead starts and the bits it carries; 0 for a byte that
// starts none.
int SequenceLength(unsigned char lead, char32_t& bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        bits = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        bits = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

bool IsNextByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many of the eight bytes at bytes are ASCII other than NUL before the first that is not.
// The lowest byte that the zero test marks is a true NUL: a borrow only marks bytes above one.
std::size_t PlainAsciiPrefix(const unsigned char* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    const std::uint64_t stops = (word & highs) | ((word - ones) & ~word & highs);
    if (stops == 0)
        return 8;
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::size_t>(std::countr_zero(stops) / 8);
    return 0;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t& position)
{
    char32_t code = 0;
    const int length = SequenceLength(static_cast<unsigned char>(text[position]), code);
    if (length == 0 || text.size() - position < static_cast<std::size_t>(length)) {
        ++position;
        return MalformedCharacter;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[position + i]);
        if (!IsNextByte(next)) {
            ++position;
            return MalformedCharacter;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> smallest = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++position;
        return MalformedCharacter;
    }
    position += length;
    return code;
}

namespace {


// The check is a pass over every byte of a source that the table then makes again, so it must
// cost little beside it: sixteen bytes at a time by lookups where the processor can, and a
// character at a time around the windows they cannot pass; without them, runs of ASCII go eight
// bytes at a time. The common characters take no call.
std::size_t FirstMalformedIn(std::string_view text)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t position = 0;
    const bool lookUp = CanLookUpUtf8();
    std::size_t lookedAt = 0;  // where the window that stopped the lookups surely ends
    while (position < size) {
        if (lookUp && position >= lookedAt) {
            position = SkipWellFormedByLookup(bytes, size, position);
            lookedAt = position + 32;
        }
        if (!lookUp && size - position >= 8) {
            const std::size_t plain = PlainAsciiPrefix(bytes + position);
            position += plain;
            if (plain == 8)
                continue;
        }
        const unsigned char lead = bytes[position];
        if (lead != 0 && lead < 0x80) {
            ++position;
        } else if (lead >= 0xC2 && lead <= 0xDF && size - position >= 2 && IsNextByte(bytes[position + 1])) {
            position += 2;
        } else if (lead >= 0xE1 && lead <= 0xEC && size - position >= 3 && IsNextByte(bytes[position + 1])
                   && IsNextByte(bytes[position + 2])) {
            // Neither overlong (that is 0xE0's) nor a surrogate (0xED's).
            position += 3;
        } else {
            const std::size_t start = position;
            if (lead == 0 || DecodeUtf8(text, position) == MalformedCharacter)
                return start;
        }
    }
    return std::string_view::npos;
}

// Below this a text is checked on one thread: starting another would cost more.
constexpr std::size_t LeastSplitSize = std::size_t{4} << 20;

}  // namespace

// Each part starts at a character's first byte, where the check of the whole would be there too,
// and ends where the next starts: a part's first fault is then the whole's, where no earlier part
// has one.
std::size_t FirstMalformedUtf8(std::string_view text, unsigned parts)
{
    if (parts == 0)
        parts = text.size() < LeastSplitSize ? 1 : std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::size_t> starts{0};
    for (unsigned part = 1; part < parts; ++part) {
        std::size_t start = std::max(starts.back(), text.size() / parts * part);
        while (start < text.size() && IsNextByte(static_cast<unsigned char>(text[start])))
            ++start;
        starts.push_back(start);
    }
    starts.push_back(text.size());
    std::vector<std::size_t> faults(parts);
    const auto check = [&](unsigned part) {
        const std::size_t fault = FirstMalformedIn(text.substr(starts[part], starts[part + 1] - starts[part]));
        faults[part] = fault == std::string_view::npos ? fault : starts[part] + fault;
    };
    {
        std::vector<std::jthread> others;
        for (unsigned part = 1; part < parts; ++part)
            others.emplace_back(check, part);
        check(0);
    }
    for (const std::size_t fault : faults) {
        if (fault != std::string_view::npos)
            return fault;
    }
    return std::string_view::npos;
}

char* EncodeUtf8(char32_t character, char* out)
{
    if (character < 0x80) {
        *out++ = static_cast<char>(character);
    } else if (character < 0x800) {
        *out++ = static_cast<char>(0xC0 | (character >> 6));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (character >> 12));
        *out++ = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (character >> 18));
        *out++ = static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}

}  // namespace tabulor
