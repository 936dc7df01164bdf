// A count that an .ods attribute gives: how many times a row, a column or a cell repeats, how
// many it spans, how many spaces a text:s stands for.
//
// It bounds the count, not what the count makes: the readers weigh the repeats' cost themselves.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "workbook/ascii_text.h"
#include "workbook/xml/xml_reader.h"

namespace tabulor::ods {

// At least 1, and capped far past the grid so that sums of counts cannot overflow; a value that
// is not a count, or none, is 1.
inline std::uint64_t ReadCount(const xml::TXmlAttribute* attribute)
{
    if (attribute == nullptr)
        return 1;
    constexpr std::uint64_t cap = std::uint64_t{1} << 32;
    const TDigitRun run = ReadDigits<cap>(attribute->Value);
    if (run.Count != attribute->Value.size() || run.Value == 0)
        return 1;
    return std::min(run.Value, cap);
}

inline std::uint64_t ReadCount(std::span<const xml::TXmlAttribute> attributes, std::string_view nameSpace,
                               std::string_view local)
{
    return ReadCount(xml::FindAttribute(attributes, nameSpace, local));
}

}  // namespace tabulor::ods
