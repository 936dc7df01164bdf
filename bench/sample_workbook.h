// The invoice sheet of the text samples as a spreadsheet program keeps it in a workbook, for the
// workbook measurements: typed cells (text, date, number, percentage) with the number formats a
// French user gives them, and the text the sheet shows for each, written as .xlsx or as .ods.
//
// It writes what the measurements need, not every part a spreadsheet program adds (no themes,
// no settings, no thumbnails), and its texts never hold runs of spaces, which .ods would mark.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sample_random.h"

namespace tabulor::bench {

// The formats of the sheet's columns, in the order of the workbooks' cell styles.
enum class TWorkbookFormat : std::uint8_t {
    General,
    Date,     // dd/mm/yyyy
    Amount,   // #,##0.00
    Percent,  // 0.00%
    Euros,    // #,##0.00 "€"
};

// Its place among the workbooks' cell styles.
constexpr std::size_t StyleIndex(TWorkbookFormat format)
{
    return static_cast<std::size_t>(format);
}

struct TWorkbookCell {
    bool Number = false;  // else text
    TWorkbookFormat Format = TWorkbookFormat::General;
    std::string Value;    // as the file stores it: the text, or "1234.56"; empty for an empty cell
    std::string IsoDate;  // a date's value as .ods stores it: "2024-03-01"
    std::string Shown;    // UTF-8, as the sheet shows it
};

using TWorkbookRow = std::array<TWorkbookCell, 12>;

// The rows of the sheet one at a time: the header row, then one invoice per row.
class TInvoiceSheet {
public:
    explicit TInvoiceSheet(std::uint64_t seed) : Random(seed) {}
    TWorkbookRow NextRow();
    // The bytes of the texts shown by the cells so far.
    std::uint64_t ShownBytes() const { return ShownBytes_; }

private:
    TRandom Random;
    std::size_t Number = 0;
    std::uint64_t ShownBytes_ = 0;
};

struct TWorkbookRequest {
    std::size_t Rows = 200'000;  // the header row included
    std::uint64_t Seed = 1;
    // Styles and empty repeats that run to the grid's last row and column, as a sheet gets them
    // when whole columns or rows are formatted; they hold no value.
    bool FarReaching = false;
    // Each text in its cell, as openpyxl writes it, rather than in the shared strings (.xlsx).
    bool InlineStrings = false;
    // The last value of the part holding the cells in a CDATA section, which the fast path leaves
    // to the general XML parser, having read everything before it: a part read twice.
    bool UnusualEnd = false;
};

struct TWorkbookFile {
    std::string Bytes;
    std::uint64_t ShownBytes = 0;  // the sheet's text: the bytes of every cell's shown text
};

TWorkbookFile MakeXlsx(const TWorkbookRequest& request);
TWorkbookFile MakeOds(const TWorkbookRequest& request);

// Text for XML's character data; in a CDATA section when `cdata`.
void AppendXmlText(std::string& xml, std::string_view text, bool cdata = false);

// The column of the row's last cell that holds a value.
std::size_t LastValueColumn(const TWorkbookRow& row);

}  // namespace tabulor::bench
