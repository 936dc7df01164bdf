#include "qt/windows1252.h"

#include <QList>
#include <QString>

#include <array>

namespace tabulor {
namespace {

// The characters of the bytes 0x80 to 0x9F. The five bytes that Windows-1252 leaves
// unassigned stand for the control characters of the same code, as in Windows' own table.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToByte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == character)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string ToWindows1252(QStringView text)
{
    std::string bytes;
    for (const char32_t character : text.toUcs4())
        bytes.push_back(ToByte(character));
    return bytes;
}

}  // namespace tabulor
