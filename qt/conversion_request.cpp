#include "qt/conversion_request.h"

#include <algorithm>

#include "qt/file_names.h"
#include "qt/windows1252.h"

namespace tabulor {
namespace {

// The HTML document is what remains when neither of the other two options is selected.
TOutputKind OutputKind(const TFormFields& fields)
{
    if (fields.OutputTable)
        return okTableOnly;
    return fields.OutputXhtml ? okXhtmlDocument : okHtmlDocument;
}

}  // namespace

TConversionSettings MakeConversionSettings(const TFormFields& fields)
{
    TConversionSettings settings;
    settings.SourceFileName = ToPath(fields.SrcFile);
    settings.DestFileName = ToPath(fields.DestFile);
    settings.TitleRows = std::max(0, fields.TitleRows);
    settings.TitleCols = std::max(0, fields.TitleCols);
    settings.Border = fields.Border ? ToWindows1252(fields.BorderValue + fields.BorderUnit)
                                    : std::string();
    settings.EmptyCellText = ToWindows1252(fields.EmptyCells);
    settings.TableClass = ToWindows1252(fields.TableClass);
    settings.RowClass = ToWindows1252(fields.RowClass);
    settings.HeaderClass = ToWindows1252(fields.HeaderClass);
    settings.CellClass = ToWindows1252(fields.CellClass);
    settings.OutputKind = OutputKind(fields);
    return settings;
}

}  // namespace tabulor
