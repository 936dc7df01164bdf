// The workbook layer of a build without workbooks: every source is text, as before workbooks
// were read, and no zlib or XML parser is linked.
#include "workbook/workbook.h"
#include "workbook/workbook_fault.h"

namespace tabulor {

TSourceKind SourceKindOf(std::string_view)
{
    return TSourceKind::Text;
}

std::vector<TSheetEntry> ListSheets(std::string_view)
{
    ThrowInvalid();
}

TSheet ReadSheet(std::string_view, std::string_view)
{
    ThrowInvalid();
}

}  // namespace tabulor
