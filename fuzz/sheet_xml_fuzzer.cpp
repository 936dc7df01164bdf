// A worksheet part's XML, any bytes, read into a sheet: only a fault of the workbook may come out,
// every cell lies inside the rectangle and on the grid, and no text keeps a CR. The sheet as it
// shows, its hidden rows and columns left out, gives its cells in order, one per place, inside a
// rectangle no larger than the sheet's.
//
// Input: the part's bytes. The shared strings and the styles are fixed, with a few of each kind.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "properties.h"
#include "workbook/shown_sheet.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx/cell_styles.h"
#include "workbook/xlsx/shared_strings.h"
#include "workbook/xlsx/sheet_part.h"

namespace {

using namespace tabulor;

constexpr std::string_view SharedStrings =
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>a</t></si>)"
    R"(<si><r><t>b&#13;</t></r><rPh><t>c</t></rPh></si><si><t>_x000D__xD83D_</t></si></sst>)";
constexpr std::string_view Styles =
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts>)"
    R"(<numFmt numFmtId="164" formatCode="#,##0.00\ &quot;€&quot;;[Red]\-0.0;0;&quot;[&quot;@&quot;]&quot;"/>)"
    R"(</numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="46"/>)"
    R"(</cellXfs></styleSheet>)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const xlsx::TSharedStrings strings = [] {
        return xlsx::TSharedStrings([] { return std::make_unique<TMemoryReader>(SharedStrings); });
    }();
    static const xlsx::TCellStyles styles = [] {
        TMemoryReader reader(Styles);
        return xlsx::TCellStyles(reader, false);
    }();
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    TSheet sheet;
    try {
        sheet = xlsx::ReadSheetPart([xml] { return std::make_unique<TMemoryReader>(xml); }, "", strings, styles);
        sheet.Finish();
    } catch (const EWorkbookFault&) {
        return 0;
    }
    fuzz::Require(sheet.Rows() <= MaxSheetRows && sheet.Cols() <= MaxSheetCols, "the rectangle lies on the grid", xml);
    for (const TSheet::TCell& cell : sheet.Cells()) {
        fuzz::Require(cell.Row < sheet.Rows() && cell.Col < sheet.Cols(), "a cell lies inside the rectangle", xml);
        fuzz::Require(!cell.Text.empty() && cell.Text.find('\r') == std::string_view::npos,
                      "a cell's text is not empty and holds no CR", xml);
    }
    const TShownSheet shown(sheet, false);
    fuzz::Require(shown.Rows() <= sheet.Rows() && shown.Cols() <= sheet.Cols()
                      && shown.LeftOutRows() <= sheet.Rows() && shown.LeftOutCols() <= sheet.Cols(),
                  "the shown rectangle lies inside the sheet's", xml);
    std::uint64_t previous = 0;
    bool first = true;
    for (TShownSheet::TCursor cursor = shown.Cursor(); !cursor.AtEnd(); cursor.Next()) {
        const TSheet::TCell& cell = cursor.Current();
        const std::uint64_t place = std::uint64_t{cell.Row} * MaxSheetCols + cell.Col;
        fuzz::Require(cell.Row < shown.Rows() && cell.Col < shown.Cols() && (first || place > previous),
                      "a shown cell lies inside the shown rectangle, after the one before", xml);
        previous = place;
        first = false;
    }
    return 0;
}
