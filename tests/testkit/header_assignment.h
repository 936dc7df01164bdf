// How a browser reads a table's cells and their header cells, written once from the HTML
// standard's table model for the tests to hold the tables we write against: the cells placed on
// the grid of slots as a table is formed, then each cell's header cells as the standard assigns
// them, from its headers attribute or else by scanning left and up from it. Nothing here knows how
// Tabulor writes a table.
//
// The scopes that only apply within row or column groups are left out: no table we write has them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulor::testkit {

// The states of a header cell's scope attribute, Auto where it has none.
enum class TCellScope { Auto, Row, Col };

// A cell as the table model knows it: anchored at slot (X, Y), from 0, covering Width by Height
// slots.
struct TGridCell {
    std::size_t X = 0;
    std::size_t Y = 0;
    std::size_t Width = 1;
    std::size_t Height = 1;
    bool Header = false;  // th, else td
    TCellScope Scope = TCellScope::Auto;
    // No element in it and no text but ASCII whitespace.
    bool Empty = false;
    std::string Id;  // none when empty
    std::optional<std::string> Headers;
};

// The cells of each row group's rows, each cell's spans in Width and Height, with their anchors
// set as the table is formed: a cell takes the first slot of its row that no cell of a row above
// covers, and a row group ends below the last slot its cells cover. Rows outside any group are a
// group of their own. The cells come back in tree order.
inline std::vector<TGridCell> FormTable(const std::vector<std::vector<std::vector<TGridCell>>>& groups)
{
    std::vector<TGridCell> cells;
    std::vector<std::vector<bool>> covered;  // by row, then column
    std::size_t top = 0;
    for (const auto& rows : groups) {
        std::size_t bottom = top + rows.size();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::size_t y = top + row;
            std::size_t x = 0;
            for (TGridCell cell : rows[row]) {
                while (y < covered.size() && x < covered[y].size() && covered[y][x])
                    ++x;
                cell.X = x;
                cell.Y = y;
                bottom = std::max(bottom, y + cell.Height);
                if (covered.size() < bottom)
                    covered.resize(bottom);
                for (std::size_t cy = y; cy < y + cell.Height; ++cy) {
                    if (covered[cy].size() < x + cell.Width)
                        covered[cy].resize(x + cell.Width);
                    std::fill_n(covered[cy].begin() + static_cast<std::ptrdiff_t>(x), cell.Width, true);
                }
                x += cell.Width;
                cells.push_back(std::move(cell));
            }
        }
        top = bottom;
    }
    return cells;
}

// Each cell's header cells, as indexes into cells (in tree order), in the order the algorithm
// for assigning header cells lists them.
//
// Without opaque headers, a block of header cells that a scan meets beyond a data cell hides
// nothing further on: what the assignment would be if every header cell headed the whole of its
// columns or rows, where the standard holds that such a block hides the header cells of its own
// place and size.
class THeaderAssignment {
public:
    explicit THeaderAssignment(const std::vector<TGridCell>& cells, bool opaqueHeaders = true)
        : Cells(cells), OpaqueHeaders(opaqueHeaders)
    {
        for (const TGridCell& cell : cells) {
            Width = std::max(Width, cell.X + cell.Width);
            Height = std::max(Height, cell.Y + cell.Height);
        }
        Slots.assign(Width * Height, {});
        for (std::size_t index = 0; index < cells.size(); ++index) {
            for (std::size_t y = cells[index].Y; y < cells[index].Y + cells[index].Height; ++y) {
                for (std::size_t x = cells[index].X; x < cells[index].X + cells[index].Width; ++x)
                    Slots[y * Width + x].push_back(index);
            }
        }
    }

    std::vector<std::size_t> HeadersOf(std::size_t principal) const
    {
        const TGridCell& cell = Cells[principal];
        std::vector<std::size_t> list;
        if (cell.Headers) {
            for (const std::string& id : SplitOnAsciiWhitespace(*cell.Headers)) {
                const auto first = FirstWithId(id);
                if (first && *first != principal)
                    list.push_back(*first);
            }
        } else {
            for (std::size_t y = cell.Y; y < cell.Y + cell.Height; ++y)
                Scan(principal, list, cell.X, y, -1, 0);
            for (std::size_t x = cell.X; x < cell.X + cell.Width; ++x)
                Scan(principal, list, x, cell.Y, 0, -1);
        }
        std::erase_if(list, [&](std::size_t index) { return Cells[index].Empty; });
        std::vector<std::size_t> unique;
        for (const std::size_t index : list) {
            if (index != principal && std::find(unique.begin(), unique.end(), index) == unique.end())
                unique.push_back(index);
        }
        return unique;
    }

    bool ColumnHeader(const TGridCell& cell) const
    {
        return cell.Scope == TCellScope::Col || (cell.Scope == TCellScope::Auto && !AnyDataCell(cell.Y, cell.Height, true));
    }
    bool RowHeader(const TGridCell& cell) const
    {
        return cell.Scope == TCellScope::Row
            || (cell.Scope == TCellScope::Auto && !ColumnHeader(cell) && !AnyDataCell(cell.X, cell.Width, false));
    }

private:
    // The internal algorithm for scanning and assigning header cells, from (x, y) by (dx, dy).
    void Scan(std::size_t principal, std::vector<std::size_t>& list, std::size_t x, std::size_t y, int dx,
              int dy) const
    {
        std::vector<std::size_t> opaque;
        bool inHeaderBlock = Cells[principal].Header;
        std::vector<std::size_t> fromBlock;
        if (inHeaderBlock)
            fromBlock.push_back(principal);
        while ((dx == 0 || x > 0) && (dy == 0 || y > 0)) {
            x += static_cast<std::size_t>(dx);
            y += static_cast<std::size_t>(dy);
            const std::vector<std::size_t>& covering = Slots[y * Width + x];
            if (covering.size() != 1)
                continue;
            const TGridCell& current = Cells[covering[0]];
            if (current.Header) {
                inHeaderBlock = true;
                fromBlock.push_back(covering[0]);
                bool blocked = false;
                for (const std::size_t index : opaque) {
                    if (dx == 0 && Cells[index].X == current.X && Cells[index].Width == current.Width)
                        blocked = true;
                    if (dy == 0 && Cells[index].Y == current.Y && Cells[index].Height == current.Height)
                        blocked = true;
                }
                if ((dx == 0 && !ColumnHeader(current)) || (dy == 0 && !RowHeader(current)))
                    blocked = true;
                if (!blocked)
                    list.push_back(covering[0]);
            } else if (inHeaderBlock && OpaqueHeaders) {
                inHeaderBlock = false;
                opaque.insert(opaque.end(), fromBlock.begin(), fromBlock.end());
                fromBlock.clear();
            }
        }
    }

    // Whether a data cell covers a slot of the rows (or columns) from first, count of them.
    bool AnyDataCell(std::size_t first, std::size_t count, bool rows) const
    {
        for (std::size_t line = first; line < first + count; ++line) {
            for (std::size_t along = 0; along < (rows ? Width : Height); ++along) {
                for (const std::size_t index : Slots[rows ? line * Width + along : along * Width + line]) {
                    if (!Cells[index].Header)
                        return true;
                }
            }
        }
        return false;
    }

    std::optional<std::size_t> FirstWithId(std::string_view id) const
    {
        for (std::size_t index = 0; index < Cells.size(); ++index) {
            if (Cells[index].Id == id)
                return index;
        }
        return std::nullopt;
    }

    static std::vector<std::string> SplitOnAsciiWhitespace(std::string_view text)
    {
        constexpr std::string_view whitespace = "\t\n\f\r ";
        std::vector<std::string> tokens;
        std::size_t at = text.find_first_not_of(whitespace);
        while (at != std::string_view::npos) {
            const std::size_t end = std::min(text.find_first_of(whitespace, at), text.size());
            tokens.emplace_back(text.substr(at, end - at));
            at = text.find_first_not_of(whitespace, end);
        }
        return tokens;
    }

    const std::vector<TGridCell>& Cells;
    bool OpaqueHeaders;
    std::size_t Width = 0;
    std::size_t Height = 0;
    std::vector<std::vector<std::size_t>> Slots;  // the cells covering each slot, row by row
};

}  // namespace tabulor::testkit
