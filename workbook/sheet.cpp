#include "workbook/sheet.h"

#include <algorithm>
#include <cstring>

#include "workbook/workbook_fault.h"

namespace tabulor {

namespace {

// Blocks are allocated at this size, or a text's own when it is longer, and never grow.
constexpr std::size_t BlockSize = std::size_t{1} << 20;
// A cell's three varints: a row (20 bits), a column (14 bits), a length (32 bits).
constexpr std::size_t MaxHeader = 3 + 2 + 5;

bool Before(std::uint32_t row, std::uint32_t col, std::uint32_t otherRow, std::uint32_t otherCol)
{
    return row < otherRow || (row == otherRow && col < otherCol);
}

char* WriteVarint(std::uint64_t value, char* out)
{
    for (; value >= 0x80; value >>= 7)
        *out++ = static_cast<char>((value & 0x7f) | 0x80);
    *out++ = static_cast<char>(value);
    return out;
}

}  // namespace

TSheet::TCellCursor::TCellCursor(const TBlock* begin, const TBlock* end) : Block(begin), End(end)
{
    if (!AtEnd())
        Read();
}

TSheet::TSheet(std::string name) : Name_(std::move(name)) {}

void TSheet::AddCell(std::uint32_t row, std::uint32_t col, std::string_view text)
{
    if (text.empty())
        return;
    if (row >= MaxSheetRows || col >= MaxSheetCols)
        ThrowInvalid();
    Rows_ = std::max(Rows_, row + 1);
    Cols_ = std::max(Cols_, col + 1);
    // Past the budget only the rectangle matters: its size is all the error will tell.
    if (std::uint64_t{Rows_} * Cols_ > MaxTableCells)
        TooLarge_ = true;
    if (TooLarge_) {
        std::vector<TBlock>().swap(Blocks_);
        std::vector<TLooseCell>().swap(Loose_);
        return;
    }
    // Not TooLarge: its message names a rectangle, which is not what went wrong.
    if (text.size() > TextLeft())
        ThrowInvalid();
    TextBytes_ += text.size();
    if (Ordered_ && !Blocks_.empty() && !Before(LastRow_, LastCol_, row, col))
        LoosenCells();
    if (Ordered_)
        AppendInOrder(row, col, text);
    else
        AppendLoose(row, col, text);
}

void TSheet::AddMerge(const TCellArea& area)
{
    Merges_.push_back(area);
}

void TSheet::Finish()
{
    if (TooLarge_)
        throw EWorkbookFault(EWorkbookFault::TKind::TooLarge, Name_, Rows_, Cols_);
    HiddenRows_.Finish();
    HiddenCols_.Finish();
    if (Ordered_)
        return;
    const auto before = [](const TLooseCell& a, const TLooseCell& b) { return Before(a.Row, a.Col, b.Row, b.Col); };
    std::stable_sort(Loose_.begin(), Loose_.end(), before);
    // The texts stay where they are until the cells are written again, in order; each old block
    // goes once its last text is copied, so that the texts are seldom held twice.
    std::vector<TBlock> texts = std::move(Blocks_);
    Blocks_.clear();
    std::vector<std::size_t> textsLeft(texts.size());
    for (const TLooseCell& cell : Loose_)
        ++textsLeft[cell.Block];
    for (std::size_t block = 0; block < texts.size(); ++block)
        if (textsLeft[block] == 0)
            texts[block].Bytes.reset();
    LastRow_ = 0;
    Ordered_ = true;
    // Of the cells at one place, in the order they came, the last one stands.
    for (auto cell = Loose_.begin(); cell != Loose_.end(); ++cell) {
        const auto next = cell + 1;
        if (next == Loose_.end() || before(*cell, *next))
            AppendInOrder(cell->Row, cell->Col, {cell->Text, cell->Length});
        if (--textsLeft[cell->Block] == 0)
            texts[cell->Block].Bytes.reset();
    }
    std::vector<TLooseCell>().swap(Loose_);
}

std::vector<TSheet::TCell> TSheet::Cells() const
{
    std::vector<TCell> cells;
    for (TCellCursor cursor = Cursor(); !cursor.AtEnd(); cursor.Next())
        cells.push_back(cursor.Current());
    return cells;
}

void TSheet::AddBlock(std::size_t bytes)
{
    const std::size_t capacity = std::max(BlockSize, bytes);
    Blocks_.push_back({std::unique_ptr<char[]>(new char[capacity]), 0, capacity});
}

void TSheet::AppendInOrder(std::uint32_t row, std::uint32_t col, std::string_view text)
{
    char* const start = Room(MaxHeader + text.size());
    char* out = WriteVarint(row - LastRow_, start);
    out = WriteVarint(col, out);
    out = WriteVarint(text.size(), out);
    std::memcpy(out, text.data(), text.size());
    Blocks_.back().Size += static_cast<std::size_t>(out - start) + text.size();
    LastRow_ = row;
    LastCol_ = col;
}

void TSheet::AppendLoose(std::uint32_t row, std::uint32_t col, std::string_view text)
{
    char* const out = Room(text.size());
    std::memcpy(out, text.data(), text.size());
    Blocks_.back().Size += text.size();
    Loose_.push_back({row, col, out, static_cast<std::uint32_t>(text.size()),
                      static_cast<std::uint32_t>(Blocks_.size() - 1)});
}

// The cells so far become loose ones; their texts stay in place, between headers no longer read.
void TSheet::LoosenCells()
{
    for (TCellCursor cursor = Cursor(); !cursor.AtEnd(); cursor.Next()) {
        const TCell& cell = cursor.Current();
        Loose_.push_back({cell.Row, cell.Col, cell.Text.data(), static_cast<std::uint32_t>(cell.Text.size()),
                          static_cast<std::uint32_t>(cursor.Block - Blocks_.data())});
    }
    Ordered_ = false;
}

}  // namespace tabulor
