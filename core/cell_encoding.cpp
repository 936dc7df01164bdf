#include "cell_encoding.h"

#include <cstdint>
#include <cstring>

#include "conversion.h"

namespace tabulor {

namespace {

// The text that replaces each byte; empty for a byte that passes unchanged. The euro sign gets its
// entity too: left raw it would be the one byte above 0x7F in the output, wrong in a UTF-8 page
// and a control character in the ISO-8859-1 that the XHTML document declares.
constexpr std::array<std::string_view, 256> MakeReplacements()
{
    std::array<std::string_view, 256> replacements{};
    replacements['&'] = "&amp;";
    replacements['<'] = "&lt;";
    replacements['>'] = "&gt;";
    replacements[0x80] = "&euro;";
    for (std::size_t byte = 0x81; byte <= 0xFF; ++byte)
        replacements[byte] = CharEntities[byte - 0x81];
    return replacements;
}

constexpr std::array<std::string_view, 256> kReplacements = MakeReplacements();

// Eight bytes at a time: true when none of them needs replacing, i.e. all are below 0x80 and
// none is '&', '<' or '>'.
bool IsPlainWord(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    auto hasZeroByte = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHighs) != 0; };
    return (word & kHighs) == 0 && !hasZeroByte(word ^ ('&' * kOnes)) &&
           !hasZeroByte(word ^ ('<' * kOnes)) && !hasZeroByte(word ^ ('>' * kOnes));
}

}  // namespace

void AppendEncodedCell(std::string& out, std::string_view field, std::string_view emptyCellText)
{
    if (field.empty()) {
        out.append(emptyCellText);
        return;
    }
    const char* p = field.data();
    const char* const end = p + field.size();
    const char* run = p;
    while (p != end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (IsPlainWord(word)) {
                p += 8;
                continue;
            }
        }
        const std::string_view replacement = kReplacements[static_cast<unsigned char>(*p)];
        if (!replacement.empty()) {
            out.append(run, p);
            out.append(replacement);
            run = p + 1;
        }
        ++p;
    }
    out.append(run, end);
}

std::string EncodeCellText(std::string_view field, std::string_view emptyCellText)
{
    std::string result;
    AppendEncodedCell(result, field, emptyCellText);
    return result;
}

}  // namespace tabulor
