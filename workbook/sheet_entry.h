// A sheet as a workbook lists it, and which one a workbook read without a sheet name shows. The
// readers and the window's sheet list both choose by this rule, so that the sheet a run reads is
// the one the list starts on. It reads nothing itself.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <ranges>
#include <string>

namespace tabulor {

struct TSheetEntry {
    std::string Name;  // UTF-8
    bool Hidden = false;
};

// The index of the first sheet that is not hidden, else of the first; none in an empty list. Any
// list of records with a Hidden member, a reader's own as well as TSheetEntry.
template <std::ranges::random_access_range TSheets>
std::optional<std::size_t> FirstShownSheet(const TSheets& sheets)
{
    if (std::ranges::empty(sheets))
        return std::nullopt;
    const auto shown = std::ranges::find_if(sheets, [](const auto& sheet) { return !sheet.Hidden; });
    if (shown == std::ranges::end(sheets))
        return 0;
    return static_cast<std::size_t>(shown - std::ranges::begin(sheets));
}

}  // namespace tabulor
