#include "workbook/shown_sheet.h"

#include <algorithm>

namespace tabulor {

namespace {

bool Before(std::uint32_t row, std::uint32_t col, std::uint32_t otherRow, std::uint32_t otherCol)
{
    return row < otherRow || (row == otherRow && col < otherCol);
}

// The shown lines from first to last, both included, as places among the shown ones; none when
// all are hidden.
bool ShownSpan(const THiddenLines& hidden, std::uint32_t first, std::uint32_t last, std::uint32_t& shownFirst,
               std::uint32_t& shownLast)
{
    const std::uint32_t firstShown = hidden.FirstShownFrom(first);
    if (firstShown > last)
        return false;
    shownFirst = hidden.ShownIndex(firstShown);
    shownLast = last - hidden.HiddenBefore(last + 1);
    return true;
}

}  // namespace

TShownSheet::TShownSheet(const TSheet& sheet, bool keepHidden)
    : Sheet(sheet), Merges_(&sheet.Merges()), Rows_(sheet.Rows()), Cols_(sheet.Cols())
{
    if (keepHidden || (sheet.HiddenRows().Empty() && sheet.HiddenCols().Empty()))
        return;
    HiddenRows = &sheet.HiddenRows();
    HiddenCols = &sheet.HiddenCols();
    LeftOutRows_ = HiddenRows->HiddenBefore(sheet.Rows());
    LeftOutCols_ = HiddenCols->HiddenBefore(sheet.Cols());
    CutMerges();
    FindRectangle();
}

// An area left with no shown row or no shown column is not written, nor is its text.
void TShownSheet::CutMerges()
{
    for (const TCellArea& area : Sheet.Merges()) {
        TCellArea shown;
        if (!ShownSpan(*HiddenRows, area.Top, area.Bottom, shown.Top, shown.Bottom)
            || !ShownSpan(*HiddenCols, area.Left, area.Right, shown.Left, shown.Right))
            continue;
        ShownMerges.push_back(shown);
        if (HiddenRows->Hidden(area.Top) || HiddenCols->Hidden(area.Left))
            Moves.push_back({area.Top, area.Left, shown.Top, shown.Left});
    }
    Merges_ = &ShownMerges;
    // Of two areas that start at one place, the first listed keeps the text, as it keeps the place.
    std::stable_sort(Moves.begin(), Moves.end(), [](const TMove& a, const TMove& b) {
        return Before(a.FromRow, a.FromCol, b.FromRow, b.FromCol);
    });
    Moves.erase(std::unique(Moves.begin(), Moves.end(),
                            [](const TMove& a, const TMove& b) { return a.FromRow == b.FromRow && a.FromCol == b.FromCol; }),
                Moves.end());
}

void TShownSheet::FindRectangle()
{
    Rows_ = Cols_ = 0;
    for (TCursor cursor = Cursor(); !cursor.AtEnd(); cursor.Next()) {
        Rows_ = std::max(Rows_, cursor.Current().Row + 1);
        Cols_ = std::max(Cols_, cursor.Current().Col + 1);
    }
}

TShownSheet::TCursor::TCursor(const TShownSheet& sheet) : Sheet(&sheet), Cells(sheet.Sheet.Cursor())
{
    Next();
}

// What an area's top-left holds goes to its first shown place before the sheet's own text
// there, which the area covers: its text, or nothing when the top-left is empty.
void TShownSheet::TCursor::NextShown()
{
    for (;;) {
        SkipHidden();
        const bool own = !Cells.AtEnd();
        const TSheet::TCell next = own ? ShownPlace(Cells.Current()) : TSheet::TCell{};
        if (Moved.empty() || (own && Before(next.Row, next.Col, Moved.top().Row, Moved.top().Col))) {
            End = !own;
            if (own) {
                Cell = next;
                Cells.Next();
            }
            return;
        }
        Cell = Moved.top();
        while (!Moved.empty() && Moved.top().Row == Cell.Row && Moved.top().Col == Cell.Col)
            Moved.pop();
        if (own && next.Row == Cell.Row && next.Col == Cell.Col)
            Cells.Next();
        if (!Cell.Text.empty())
            return;
    }
}

// A top-left lies before the place it moves to, so what it holds is known before that place is
// reached; one the cursor passes without a cell there holds nothing, which moves too.
void TShownSheet::TCursor::SkipHidden()
{
    const std::vector<TMove>& moves = Sheet->Moves;
    for (; !Cells.AtEnd(); Cells.Next()) {
        const TSheet::TCell& cell = Cells.Current();
        for (; NextMove < moves.size() && Before(moves[NextMove].FromRow, moves[NextMove].FromCol, cell.Row, cell.Col);
             ++NextMove)
            Moved.push({moves[NextMove].ToRow, moves[NextMove].ToCol, {}});
        if (NextMove < moves.size() && moves[NextMove].FromRow == cell.Row && moves[NextMove].FromCol == cell.Col) {
            Moved.push({moves[NextMove].ToRow, moves[NextMove].ToCol, cell.Text});
            ++NextMove;
        } else if (!Sheet->HiddenRows->Hidden(cell.Row) && !Sheet->HiddenCols->Hidden(cell.Col)) {
            return;
        }
    }
}

TSheet::TCell TShownSheet::TCursor::ShownPlace(const TSheet::TCell& cell)
{
    if (cell.Row != LastRow) {
        LastRow = cell.Row;
        LastShownRow = Sheet->HiddenRows->ShownIndex(cell.Row);
    }
    return {LastShownRow, Sheet->HiddenCols->ShownIndex(cell.Col), cell.Text};
}

}  // namespace tabulor
