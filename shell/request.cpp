#include "shell/request.h"

#include <utility>

#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/list_entries.h"
#include "shell/spin_field.h"
#include "shell/text.h"

namespace tabulor {
namespace {

int HeaderCountOf(std::u16string_view text)
{
    return SpinFieldValue(text, SpinFieldBounds.MinValue);
}

TOutputKind OutputKind(const TFormFields& fields)
{
    if (fields.OutputTable)
        return okTableOnly;
    if (fields.OutputXhtml)
        return okXhtmlDocument;
    return fields.OutputHtml5 ? okHtml5Document : okHtmlDocument;
}

}  // namespace

TFormFields ReadFormFields(const TControlReader& read)
{
    TFormFields fields;
    fields.SourceFileName = read.Text(TControlId::EditSrcFile);
    fields.DestFileName = read.Text(TControlId::EditDestFile);
    fields.TitleRows = read.Text(TControlId::EditTitleRows);
    fields.TitleCols = read.Text(TControlId::EditTitleCols);
    fields.Border = read.Checked(TControlId::CheckBoxBorder);
    fields.BorderValue = read.Text(TControlId::EditBorderValue);
    fields.BorderUnit = read.Text(TControlId::ComboBoxBorderUnit);
    fields.EmptyCells = read.Text(TControlId::EditEmptyCells);
    fields.TableClass = read.Text(TControlId::EditTableClass);
    fields.RowClass = read.Text(TControlId::EditRowClass);
    fields.HeaderClass = read.Text(TControlId::EditHeaderClass);
    fields.CellClass = read.Text(TControlId::EditCellClass);
    fields.OutputTable = read.Checked(TControlId::RadioButtonOutputTable);
    fields.OutputXhtml = read.Checked(TControlId::RadioButtonOutputXHTML);
    fields.OutputHtml5 = read.Checked(TControlId::RadioButtonOutputHTML5);
    fields.LinkHeaders = read.Checked(TControlId::CheckBoxLinkHeaders);
    fields.Caption = read.Text(TControlId::EditCaption);
    fields.SourceEncoding = read.Selected(TControlId::ComboBoxSourceEncoding);
    fields.FieldSeparator = read.Selected(TControlId::ComboBoxFieldSeparator);
    fields.SheetName = read.Text(TControlId::ComboBoxSheet);
    fields.KeepHidden = read.Checked(TControlId::CheckBoxKeepHidden);
    return fields;
}

std::u16string TextAtStart(TControlId id)
{
    const TControlLayout& control = Control(id);
    if (control.Kind != TControlKind::ComboBox)
        return std::u16string(control.Text);
    const std::span<const std::u16string> entries = ListEntries(id);
    return entries.empty() ? std::u16string() : entries.front();
}

TFileFields ReadFileFields(const TControlReader& read)
{
    return {read.Text(TControlId::EditSrcFile), read.Text(TControlId::EditDestFile)};
}

void WriteFileFields(const TFileFields& fields, const TControlReader& read, const TTextWriter& write)
{
    for (const auto& [id, text] : {std::pair{TControlId::EditSrcFile, &fields.SourceFileName},
                                   std::pair{TControlId::EditDestFile, &fields.DestFileName}}) {
        if (read.Text(id) != *text)
            write(id, *text);
    }
}

TFormFields InitialFormFields()
{
    const auto checkedAtStart = [](TControlId id) { return Control(id).Checked; };
    return ReadFormFields({TextAtStart, checkedAtStart, [](TControlId) { return 0; }});
}

TConversionSettings MakeConversionSettings(const TFormFields& fields)
{
    TConversionSettings settings;
    settings.SourceFileName = ToPath(fields.SourceFileName);
    settings.DestFileName = ToPath(fields.DestFileName);
    settings.TitleRows = HeaderCountOf(fields.TitleRows);
    settings.TitleCols = HeaderCountOf(fields.TitleCols);
    settings.Border = fields.Border ? ToWindows1252(fields.BorderValue + fields.BorderUnit)
                                    : std::string();
    settings.EmptyCellText = ToWindows1252(fields.EmptyCells);
    settings.TableClass = ToWindows1252(fields.TableClass);
    settings.RowClass = ToWindows1252(fields.RowClass);
    settings.HeaderClass = ToWindows1252(fields.HeaderClass);
    settings.CellClass = ToWindows1252(fields.CellClass);
    settings.Caption = ToUtf8(fields.Caption);
    settings.LinkHeaders = fields.LinkHeaders;
    settings.KeepHidden = fields.KeepHidden;
    settings.OutputKind = OutputKind(fields);
    settings.SourceEncoding = SourceEncodingAt(fields.SourceEncoding);
    settings.FieldSeparator = FieldSeparatorAt(fields.FieldSeparator);
    settings.SheetName = ToUtf8(fields.SheetName);
    return settings;
}

}  // namespace tabulor
