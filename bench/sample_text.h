// Deterministic sample sources for the benchmarks, shaped like what users convert: text that a
// French spreadsheet saves as tab-separated Windows-1252, one row per line.
//
// Each maker appends whole rows until the text holds at least minSize bytes, so the text ends
// with a line end and exceeds minSize by less than one row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulor::bench {

enum class TLineEnd { CrLf, Lf, Cr };

std::string_view LineEndBytes(TLineEnd lineEnd);

// Invoices: a header row, then rows of 12 cells with accents, euro amounts, dates, company
// names, quoted cells, markup characters and empty cells.
std::string MakeBusinessText(std::size_t minSize, std::uint64_t seed,
                             TLineEnd lineEnd = TLineEnd::CrLf);

// Rows of cellsPerRow short cells (numbers, short words, accented letters, empty cells), drawn
// the same way whatever the row width, so that widths can be compared per byte.
std::string MakeShortCellText(std::size_t minSize, std::size_t cellsPerRow, std::uint64_t seed,
                              TLineEnd lineEnd = TLineEnd::CrLf);

// Rows of 12 cells of ASCII letters, digits and punctuation only, none that needs encoding.
std::string MakeAsciiText(std::size_t minSize, std::uint64_t seed,
                          TLineEnd lineEnd = TLineEnd::CrLf);

}  // namespace tabulor::bench
