// Which sheet a workbook read without a sheet name shows: the first that is not hidden, else the
// first. Shared by the .xlsx and .ods readers; it reads nothing itself.
#pragma once

#include <algorithm>
#include <vector>

namespace tabulor {

// Any entry with Name and Hidden; null for an empty list.
template <class TEntry>
const TEntry* FirstShown(const std::vector<TEntry>& sheets)
{
    if (sheets.empty())
        return nullptr;
    const auto shown = std::ranges::find(sheets, false, &TEntry::Hidden);
    return shown != sheets.end() ? &*shown : &sheets.front();
}

}  // namespace tabulor
