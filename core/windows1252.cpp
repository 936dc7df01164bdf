#include "windows1252.h"

#include <algorithm>
#include <utility>

#include "utf8.h"

namespace tabulor {
namespace {

// The characters beyond U+00FF that the bytes 0x80 to 0x9F hold, sorted for a binary search:
// a Unicode source looks one up for every such character of its cells.
constexpr auto WideCharacters = [] {
    std::array<std::pair<char32_t, unsigned char>, 27> sorted{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < Windows1252HighControls.size(); ++i) {
        if (Windows1252HighControls[i] > 0xFF)
            sorted[count++] = {Windows1252HighControls[i], static_cast<unsigned char>(0x80 + i)};
    }
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}();

}  // namespace

std::optional<unsigned char> Windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    if (character <= 0xFF) {
        // One of the five unassigned bytes, whose control character it is.
        const auto* found = std::find(Windows1252HighControls.begin(), Windows1252HighControls.end(), character);
        if (found == Windows1252HighControls.end())
            return std::nullopt;
        return static_cast<unsigned char>(0x80 + (found - Windows1252HighControls.begin()));
    }
    const auto* found = std::lower_bound(WideCharacters.begin(), WideCharacters.end(),
                                         std::pair<char32_t, unsigned char>{character, 0});
    if (found == WideCharacters.end() || found->first != character)
        return std::nullopt;
    return found->second;
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        const char32_t character = code >= 0x80 && code <= 0x9F ? Windows1252HighControls[code - 0x80] : code;
        char bytes[4];
        utf8.append(bytes, EncodeUtf8(character, bytes));
    }
    return utf8;
}

}  // namespace tabulor
