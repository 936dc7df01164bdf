// The rows, or the columns, that a sheet hides, and where each shown one lands once they are
// left out.
//
// It keeps ranges, not lines: a few bytes of a file can hide a million repeated rows.
#pragma once

#include <cstdint>
#include <vector>

namespace tabulor {

class THiddenLines {
public:
    // Both ends included; ranges come in any order and may overlap until Finish.
    void Hide(std::uint32_t first, std::uint32_t last);
    // Sorts and joins the ranges: the queries below need it.
    void Finish();

    bool Empty() const { return Ranges.empty(); }
    bool Hidden(std::uint32_t line) const;
    // How many lines before this one are hidden.
    std::uint32_t HiddenBefore(std::uint32_t line) const;
    // A shown line's place among the shown ones, from 0.
    std::uint32_t ShownIndex(std::uint32_t line) const { return line - HiddenBefore(line); }
    // The first shown line at or after this one; past the last hidden range, the line itself.
    std::uint32_t FirstShownFrom(std::uint32_t line) const;

private:
    struct TRange {
        std::uint32_t First;
        std::uint32_t End;     // one past the last
        std::uint32_t Before;  // the hidden lines of the earlier ranges
    };
    // The range that holds the line, or else the first after it.
    std::vector<TRange>::const_iterator RangeFrom(std::uint32_t line) const;

    std::vector<TRange> Ranges;
};

}  // namespace tabulor
