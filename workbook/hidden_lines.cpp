#include "workbook/hidden_lines.h"

#include <algorithm>

namespace tabulor {

void THiddenLines::Hide(std::uint32_t first, std::uint32_t last)
{
    if (first > last)
        return;
    // Rows come in order: a range that continues the last one extends it.
    if (!Ranges.empty() && Ranges.back().First <= first && first <= Ranges.back().End) {
        Ranges.back().End = std::max(Ranges.back().End, last + 1);
        return;
    }
    Ranges.push_back({first, last + 1, 0});
}

void THiddenLines::Finish()
{
    std::sort(Ranges.begin(), Ranges.end(), [](const TRange& a, const TRange& b) { return a.First < b.First; });
    std::vector<TRange> joined;
    for (const TRange& range : Ranges) {
        if (!joined.empty() && range.First <= joined.back().End)
            joined.back().End = std::max(joined.back().End, range.End);
        else
            joined.push_back(range);
    }
    std::uint32_t before = 0;
    for (TRange& range : joined) {
        range.Before = before;
        before += range.End - range.First;
    }
    Ranges = std::move(joined);
}

std::vector<THiddenLines::TRange>::const_iterator THiddenLines::RangeFrom(std::uint32_t line) const
{
    return std::upper_bound(Ranges.begin(), Ranges.end(), line,
                            [](std::uint32_t value, const TRange& range) { return value < range.End; });
}

bool THiddenLines::Hidden(std::uint32_t line) const
{
    const auto range = RangeFrom(line);
    return range != Ranges.end() && range->First <= line;
}

std::uint32_t THiddenLines::HiddenBefore(std::uint32_t line) const
{
    const auto range = RangeFrom(line);
    if (range == Ranges.end())
        return Ranges.empty() ? 0 : Ranges.back().Before + (Ranges.back().End - Ranges.back().First);
    return range->Before + (line > range->First ? line - range->First : 0);
}

std::uint32_t THiddenLines::FirstShownFrom(std::uint32_t line) const
{
    const auto range = RangeFrom(line);
    return range != Ranges.end() && range->First <= line ? range->End : line;
}

}  // namespace tabulor
