// What ties a cell to its header cells, for both kinds of source: which text tells nothing, the
// ids' stem and the id, scope and headers attributes.
//
// It does not decide which cells are header cells: the row writers and the sheet's table do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tabulor {

// Whether a cell's text tells nothing: empty, or only spaces, tabs and no-break spaces (0xA0 in
// Windows-1252, U+00A0 in UTF-8). Such a cell of the header rows or columns is a data cell.
bool IsBlankText(std::string_view text, bool utf8);

// The ids' stem: the destination's name without its extension, each character other than an
// ASCII letter, a digit, '-' or '_' turned into '-', after a "t" where it does not start with a
// letter; "tableau" for a destination without a name. Tables of two files pasted into one page
// thus keep their ids apart.
std::string IdStemOf(const std::filesystem::path& destination);

// A header cell's place in the table as written, from 0.
struct THeaderPlace {
    std::uint32_t Row = 0;
    std::uint32_t Col = 0;

    friend bool operator==(const THeaderPlace&, const THeaderPlace&) = default;
};

// `stem-row-col`, both counted from 1.
void AppendId(std::string& text, std::string_view stem, THeaderPlace place);
// ` id="stem-row-col"`.
void AppendIdAttribute(std::string& text, std::string_view stem, THeaderPlace place);
// ` scope="col"` or ` scope="row"`.
void AppendScopeAttribute(std::string& text, bool columnHeader);
// ` headers="…"` naming the places in their order; nothing where there are none.
void AppendHeadersAttribute(std::string& text, std::string_view stem, std::span<const THeaderPlace> places);

// Reads the header columns' cells from the top, to tell whether scope attributes alone tie every
// cell to the headers that ids would name: at most one header column holds header cells below
// the header rows, and none of them is cut off from the header cell above its column by a blank
// cell, which a browser reading scope takes for the end of a block of headers. (The caller checks
// the header rows and the spans.)
class THeaderColumns {
public:
    // The next cell of a header column, or a place that a blank cell covers: whether it is a
    // header cell, and whether it lies below the header rows.
    void Add(std::size_t col, bool header, bool belowHeaderRows);
    bool FitScope() const { return Holding <= 1 && !Gap; }

private:
    struct TColumn {
        bool HeadAbove = false;  // a header cell of the header rows
        bool BlankSince = false;
        bool Holds = false;  // a header cell below the header rows
    };
    // As many as have been read: a header count may run far past the table.
    std::vector<TColumn> Columns;
    std::size_t Holding = 0;
    bool Gap = false;
};

// The row groups' lines, indented as rows are.
inline constexpr std::string_view HeadOpening = "  <thead>";
inline constexpr std::string_view HeadClosing = "  </thead>";
inline constexpr std::string_view BodyOpening = "  <tbody>";
inline constexpr std::string_view BodyClosing = "  </tbody>";

}  // namespace tabulor
