// A finished sheet as it shows on screen: the rows and columns it hides left out, each merged
// area cut to its shown part with its text taken to its first shown place, and the rectangle as
// far as the last shown row and the last shown column that hold a value. Places are those of the
// table, counted over the shown rows and columns.
//
// It copies no text: its cursor reads the sheet's own, and carries over only the texts of the
// areas whose top-left is hidden. It reads nothing of the workbook itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <queue>
#include <vector>

#include "workbook/sheet.h"

namespace tabulor {

class TShownSheet {
public:
    // keepHidden: every row and column shown, the sheet as its file holds it.
    TShownSheet(const TSheet& sheet, bool keepHidden);

    std::uint32_t Rows() const { return Rows_; }
    std::uint32_t Cols() const { return Cols_; }
    // The hidden rows and columns inside the sheet's own rectangle: those left out.
    std::uint32_t LeftOutRows() const { return LeftOutRows_; }
    std::uint32_t LeftOutCols() const { return LeftOutCols_; }
    const std::vector<TCellArea>& Merges() const { return *Merges_; }

    // The shown cells row by row, each row's by column, one per place.
    class TCursor {
    public:
        bool AtEnd() const { return End; }
        // Only before the end.
        const TSheet::TCell& Current() const { return Cell; }
        // A sheet that hides nothing, the common case, is read in place.
        void Next()
        {
            if (Sheet->HiddenRows != nullptr)
                return NextShown();
            End = Cells.AtEnd();
            if (!End) {
                Cell = Cells.Current();
                Cells.Next();
            }
        }

    private:
        friend class TShownSheet;
        explicit TCursor(const TShownSheet& sheet);
        void NextShown();
        // Moves the sheet's cursor to its next shown cell, keeping the texts it passes that
        // move.
        void SkipHidden();
        TSheet::TCell ShownPlace(const TSheet::TCell& cell);

        struct TLater {
            bool operator()(const TSheet::TCell& a, const TSheet::TCell& b) const
            {
                return a.Row > b.Row || (a.Row == b.Row && a.Col > b.Col);
            }
        };

        const TShownSheet* Sheet;
        TSheet::TCellCursor Cells;
        std::size_t NextMove = 0;
        // Texts carried to a later place, by that place.
        std::priority_queue<TSheet::TCell, std::vector<TSheet::TCell>, TLater> Moved;
        std::uint32_t LastRow = 0;  // the row last placed, and where it lands
        std::uint32_t LastShownRow = 0;
        TSheet::TCell Cell{0, 0, {}};
        bool End = false;
    };
    TCursor Cursor() const { return TCursor(*this); }

private:
    // An area's text, from its top-left's place in the sheet to its first shown place.
    struct TMove {
        std::uint32_t FromRow;
        std::uint32_t FromCol;
        std::uint32_t ToRow;
        std::uint32_t ToCol;
    };

    void CutMerges();
    void FindRectangle();

    const TSheet& Sheet;
    const THiddenLines* HiddenRows = nullptr;  // null when the sheet is written as it stands
    const THiddenLines* HiddenCols = nullptr;
    std::vector<TCellArea> ShownMerges;
    const std::vector<TCellArea>* Merges_;
    std::vector<TMove> Moves;  // by the place they start from
    std::uint32_t Rows_;
    std::uint32_t Cols_;
    std::uint32_t LeftOutRows_ = 0;
    std::uint32_t LeftOutCols_ = 0;
};

}  // namespace tabulor
