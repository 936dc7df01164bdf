#include "windows1252.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace tabulor::bench {

namespace {

// Where Windows-1252 departs from ISO 8859-1: the characters it places in 0x80 to 0x9F.
constexpr std::array<std::pair<char32_t, unsigned char>, 27> kUpperControls = {{
    {U'\u20AC', 0x80}, {U'\u201A', 0x82}, {U'\u0192', 0x83}, {U'\u201E', 0x84},
    {U'\u2026', 0x85}, {U'\u2020', 0x86}, {U'\u2021', 0x87}, {U'\u02C6', 0x88},
    {U'\u2030', 0x89}, {U'\u0160', 0x8A}, {U'\u2039', 0x8B}, {U'\u0152', 0x8C},
    {U'\u017D', 0x8E}, {U'\u2018', 0x91}, {U'\u2019', 0x92}, {U'\u201C', 0x93},
    {U'\u201D', 0x94}, {U'\u2022', 0x95}, {U'\u2013', 0x96}, {U'\u2014', 0x97},
    {U'\u02DC', 0x98}, {U'\u2122', 0x99}, {U'\u0161', 0x9A}, {U'\u203A', 0x9B},
    {U'\u0153', 0x9C}, {U'\u017E', 0x9E}, {U'\u0178', 0x9F},
}};

[[noreturn]] void Reject(std::string_view utf8)
{
    throw std::invalid_argument("not representable in Windows-1252: " + std::string(utf8));
}

// Decodes the character at utf8[pos] and moves pos past it.
char32_t DecodeAt(std::string_view utf8, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(utf8[pos++]);
    if (lead < 0x80)
        return lead;
    const int trailing = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (trailing < 0 || pos + static_cast<std::size_t>(trailing) > utf8.size())
        Reject(utf8);
    char32_t code = lead & (0x3F >> trailing);
    for (int i = 0; i < trailing; ++i) {
        const auto next = static_cast<unsigned char>(utf8[pos++]);
        if ((next & 0xC0) != 0x80)
            Reject(utf8);
        code = (code << 6) | (next & 0x3F);
    }
    return code;
}

unsigned char EncodeCharacter(char32_t code, std::string_view context)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<unsigned char>(code);
    for (const auto& [character, byte] : kUpperControls)
        if (character == code)
            return byte;
    Reject(context);
}

}  // namespace

std::string ToWindows1252(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        bytes.push_back(static_cast<char>(EncodeCharacter(DecodeAt(utf8, pos), utf8)));
    return bytes;
}

}  // namespace tabulor::bench
