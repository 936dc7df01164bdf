#include "shell/request.h"

#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/list_entries.h"
#include "shell/spin_field.h"
#include "shell/text.h"

namespace tabulor {
namespace {

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

TFormFields ReadFormFields(const TControlReader& read)
{
    TFormFields fields;
    fields.SrcFile = read.Text("EditSrcFile");
    fields.DestFile = read.Text("EditDestFile");
    fields.TitleRows = read.Text("EditTitleRows");
    fields.TitleCols = read.Text("EditTitleCols");
    fields.Border = read.Checked("CheckBoxBorder");
    fields.BorderValue = read.Text("EditBorderValue");
    fields.BorderUnit = read.Text("ComboBoxBorderUnit");
    fields.EmptyCells = read.Text("EditEmptyCells");
    fields.TableClass = read.Text("EditTableClass");
    fields.RowClass = read.Text("EditRowClass");
    fields.HeaderClass = read.Text("EditHeaderClass");
    fields.CellClass = read.Text("EditCellClass");
    fields.OutputTable = read.Checked("RadioButtonOutputTable");
    fields.OutputXhtml = read.Checked("RadioButtonOutputXHTML");
    fields.SourceEncoding = read.Text("ComboBoxSourceEncoding");
    fields.FieldSeparator = read.Text("ComboBoxFieldSeparator");
    return fields;
}

TFormFields InitialFormFields()
{
    return ReadFormFields({
        [](std::string_view name) {
            const TControlLayout& control = FindControl(name);
            return control.Kind == TControlKind::ComboBox ? ListEntries(name).front()
                                                          : std::u16string(control.Text);
        },
        [](std::string_view name) { return FindControl(name).Checked; },
    });
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
    settings.SourceEncoding = SourceEncodingOf(fields.SourceEncoding);
    settings.FieldSeparator = FieldSeparatorOf(fields.FieldSeparator);
    return settings;
}

}  // namespace tabulor
