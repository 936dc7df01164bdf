#include "shell/request.h"

#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/spin_field.h"
#include "shell/text.h"

namespace tabulor {
namespace {

std::u16string InitialText(std::string_view control)
{
    return std::u16string(FindControl(control).Text);
}

int HeaderCount(std::u16string_view text)
{
    return SpinEditValue(text, SpinFieldBounds.MinValue);
}

TOutputKind OutputKind(const TFormFields& fields)
{
    if (fields.OutputTable)
        return okTableOnly;
    return fields.OutputXhtml ? okXhtmlDocument : okHtmlDocument;
}

}  // namespace

TFormFields InitialFormFields()
{
    TFormFields fields;
    fields.SrcFile = InitialText("EditSrcFile");
    fields.DestFile = InitialText("EditDestFile");
    fields.TitleRows = InitialText("EditTitleRows");
    fields.TitleCols = InitialText("EditTitleCols");
    fields.Border = FindControl("CheckBoxBorder").Checked;
    fields.BorderValue = InitialText("EditBorderValue");
    fields.BorderUnit = InitialText("ComboBoxBorderUnit");
    fields.EmptyCells = InitialText("EditEmptyCells");
    fields.TableClass = InitialText("EditTableClass");
    fields.RowClass = InitialText("EditRowClass");
    fields.HeaderClass = InitialText("EditHeaderClass");
    fields.CellClass = InitialText("EditCellClass");
    fields.OutputTable = FindControl("RadioButtonOutputTable").Checked;
    fields.OutputXhtml = FindControl("RadioButtonOutputXHTML").Checked;
    return fields;
}

TConversionSettings MakeConversionSettings(const TFormFields& fields)
{
    TConversionSettings settings;
    settings.SourceFileName = ToPath(fields.SrcFile);
    settings.DestFileName = ToPath(fields.DestFile);
    settings.TitleRows = HeaderCount(fields.TitleRows);
    settings.TitleCols = HeaderCount(fields.TitleCols);
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
