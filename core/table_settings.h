// What the table is made with: the header counts, the border, the empty-cell text, the classes,
// the caption and whether cells are tied to their headers. Texts other than the caption hold
// Windows-1252 bytes and are written verbatim.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace tabulor {

struct TTableSettings {
    // How many header rows open the table, and how many header columns open each row.
    int TitleRows{};
    int TitleCols{};
    std::string Border;  // empty: no border attribute
    std::string EmptyCellText;
    std::string TableClass;  // each class: empty for none
    std::string RowClass;
    std::string HeaderClass;
    std::string CellClass;
    // The table's caption, in UTF-8 as the window gives it, encoded as a cell's text: empty for
    // none.
    std::string Caption;
    // Every cell tied to its header cells: row groups, and scope or id and headers attributes.
    bool LinkHeaders{};

    friend bool operator==(const TTableSettings&, const TTableSettings&) = default;
};

// A header count as the table takes it: a negative one is none.
inline std::size_t HeaderCount(int count)
{
    return static_cast<std::size_t>(std::max(count, 0));
}

}  // namespace tabulor
