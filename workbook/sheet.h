// One sheet of a workbook as a table shows it: the texts of the cells that hold a value, the
// merged areas and the rows and columns it hides. The rectangle runs from A1 to the last row and
// the last column that hold a value, hidden or not; formatting alone, and a cell whose text is
// empty, hold none.
//
// It does not format or read anything: the readers hand it each cell's text as the sheet shows
// it, in UTF-8, line breaks as "\n". Nor does it index its cells: they are read in order, once
// finished, by a cursor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/hidden_lines.h"

namespace tabulor {

// The grid of a spreadsheet: a row or column past it is a fault of the file.
inline constexpr std::uint32_t MaxSheetRows = 1'048'576;
inline constexpr std::uint32_t MaxSheetCols = 16'384;
// The most cells a table may have: past it the sheet is refused before anything is written.
inline constexpr std::uint64_t MaxTableCells = 50'000'000;
// The most text a sheet may hold, all its cells' together: a few kilobytes of a file can ask for
// far more by repeating one long text, and no sheet made to be read comes near it.
inline constexpr std::uint64_t MaxSheetText = std::uint64_t{1} << 30;

// Rows and columns from 0, both ends included.
struct TCellArea {
    std::uint32_t Top = 0;
    std::uint32_t Left = 0;
    std::uint32_t Bottom = 0;
    std::uint32_t Right = 0;

    friend bool operator==(const TCellArea&, const TCellArea&) = default;
};

class TSheet {
    struct TBlock;

public:
    struct TCell {
        std::uint32_t Row;
        std::uint32_t Col;
        std::string_view Text;
    };

    // The cells row by row, each row's by column, one per place; the texts stay in the sheet.
    class TCellCursor {
    public:
        bool AtEnd() const { return Block == End; }
        // Only before the end.
        const TCell& Current() const { return Cell; }
        // Inline, as Read is: the table's writer takes every cell through it.
        void Next()
        {
            if (At == Block->Size) {
                ++Block;
                At = 0;
                if (AtEnd())
                    return;
            }
            Read();
        }

    private:
        friend class TSheet;
        TCellCursor(const TBlock* begin, const TBlock* end);
        void Read()
        {
            const char* bytes = Block->Bytes.get();
            Cell.Row += static_cast<std::uint32_t>(ReadVarint(bytes, At));
            Cell.Col = static_cast<std::uint32_t>(ReadVarint(bytes, At));
            const auto length = static_cast<std::size_t>(ReadVarint(bytes, At));
            Cell.Text = {bytes + At, length};
            At += length;
        }
        static std::uint64_t ReadVarint(const char* bytes, std::size_t& at)
        {
            std::uint64_t value = 0;
            for (unsigned shift = 0;; shift += 7) {
                const auto byte = static_cast<unsigned char>(bytes[at++]);
                value |= std::uint64_t{byte & 0x7fu} << shift;
                if (byte < 0x80)
                    return value;
            }
        }

        const TBlock* Block;
        const TBlock* End;
        std::size_t At = 0;  // in the block, past the current cell
        TCell Cell{0, 0, {}};
    };

    explicit TSheet(std::string name = {});

    // Cells come in any order, though mostly row by row; a later cell at the same place replaces
    // an earlier one. An empty text adds nothing. Past MaxTableCells the texts are no longer
    // kept, only the rectangle, so that Finish can name its size. A place past the grid, or
    // text past MaxSheetText (a replaced cell's counting too), throws EWorkbookFault{Invalid}.
    void AddCell(std::uint32_t row, std::uint32_t col, std::string_view text);
    // How many more bytes of text AddCell takes, for a reader to refuse repeats before making them.
    std::uint64_t TextLeft() const { return MaxSheetText - TextBytes_; }
    void AddMerge(const TCellArea& area);
    // Both ends included, inside the grid.
    void HideRows(std::uint32_t first, std::uint32_t last) { HiddenRows_.Hide(first, last); }
    void HideCols(std::uint32_t first, std::uint32_t last) { HiddenCols_.Hide(first, last); }
    // Counts formula cells that have no stored value.
    void AddFormulaWithoutValue(std::size_t count = 1) { FormulasWithoutValue_ += count; }

    // Orders the cells row by row. Throws EWorkbookFault{TooLarge} for a rectangle of more than
    // MaxTableCells cells.
    void Finish();

    const std::string& Name() const { return Name_; }
    std::uint32_t Rows() const { return Rows_; }
    std::uint32_t Cols() const { return Cols_; }
    // After Finish.
    TCellCursor Cursor() const { return {Blocks_.data(), Blocks_.data() + Blocks_.size()}; }
    // The same cells copied out, for a sheet small enough.
    std::vector<TCell> Cells() const;
    const std::vector<TCellArea>& Merges() const { return Merges_; }
    std::size_t FormulasWithoutValue() const { return FormulasWithoutValue_; }
    // After Finish.
    const THiddenLines& HiddenRows() const { return HiddenRows_; }
    const THiddenLines& HiddenCols() const { return HiddenCols_; }

private:
    // Never moved once allocated, so that a text stays where it was put.
    struct TBlock {
        std::unique_ptr<char[]> Bytes;
        std::size_t Size;
        std::size_t Capacity;
    };
    // A cell that came out of order, its text in a block.
    struct TLooseCell {
        std::uint32_t Row;
        std::uint32_t Col;
        const char* Text;
        std::uint32_t Length;  // MaxSheetText bounds it
        std::uint32_t Block;   // the index of the block that holds the text
    };

    // Where the next bytes go: the last block, or a new one when they do not fit there.
    char* Room(std::size_t bytes)
    {
        if (Blocks_.empty() || Blocks_.back().Capacity - Blocks_.back().Size < bytes)
            AddBlock(bytes);
        return Blocks_.back().Bytes.get() + Blocks_.back().Size;
    }
    void AddBlock(std::size_t bytes);
    void AppendInOrder(std::uint32_t row, std::uint32_t col, std::string_view text);
    void AppendLoose(std::uint32_t row, std::uint32_t col, std::string_view text);
    void LoosenCells();

    std::string Name_;
    // In order, each cell as its row's distance from the last cell's, its column, its text's
    // length (each a varint), then its text; or, once a cell came out of order, only the texts
    // of Loose_.
    std::vector<TBlock> Blocks_;
    std::vector<TLooseCell> Loose_;
    std::uint32_t LastRow_ = 0;
    std::uint32_t LastCol_ = 0;
    std::uint64_t TextBytes_ = 0;
    std::vector<TCellArea> Merges_;
    THiddenLines HiddenRows_;
    THiddenLines HiddenCols_;
    std::uint32_t Rows_ = 0;
    std::uint32_t Cols_ = 0;
    std::size_t FormulasWithoutValue_ = 0;
    bool Ordered_ = true;
    bool TooLarge_ = false;
};

}  // namespace tabulor
