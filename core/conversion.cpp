#include "conversion.h"

#include "background_writer.h"
#include "document_frame.h"
#include "file_errors.h"
#include "file_io.h"
#include "file_io_shared.h"
#include "header_links.h"
#include "sheet_markup.h"
#include "table_markup.h"
#include "windows1252.h"
#include "workbook/sheet.h"
#include "workbook/shown_sheet.h"
#include "workbook/workbook.h"
#include "workbook/workbook_fault.h"

namespace tabulor {

namespace {

template <typename TAddLines>
void WriteLines(TByteSink& destination, TAddLines addLines)
{
    TBackgroundWriter writer(destination);
    TOutputLines output(&writer);
    addLines(output);
    output.Flush();
    writer.Wait();
}

// A destination file takes the lines that addLines gives only once all of them are written; a
// sink given takes them as they come.
template <typename TAddLines>
void WriteDestination(const TConversionSettings& settings, TByteSink* sink, TAddLines addLines)
{
    if (sink != nullptr) {
        WriteLines(*sink, addLines);
        return;
    }
    TDestinationFile destination(settings.DestFileName);
    WriteLines(destination, addLines);
    destination.Commit();
}

// The table's settings as its document takes them: an HTML5 page, whose charset is UTF-8, takes
// the texts written verbatim in UTF-8, and draws the border with its style element, since HTML5
// has no border attribute.
TTableSettings TableSettingsOf(const TConversionSettings& settings)
{
    TTableSettings table = settings;
    if (settings.OutputKind != okHtml5Document)
        return table;
    table.Border.clear();
    for (std::string* text : {&table.EmptyCellText, &table.TableClass, &table.RowClass, &table.HeaderClass,
                              &table.CellClass})
        *text = Windows1252ToUtf8(*text);
    return table;
}

// How the table writes its cells: the source's reading, the document's line break and the ids'
// stem, which the stem given must outlive.
TCellReading ReadingOf(const TConversionSettings& settings, bool utf8, std::string_view idStem)
{
    return {settings.FieldSeparator, utf8, settings.OutputKind == okXhtmlDocument, idStem};
}

template <typename TAddTable>
void AddFramedTable(TOutputLines& output, const TConversionSettings& settings, TAddTable addTable)
{
    const bool document = settings.OutputKind != okTableOnly;
    if (document)
        AddDocumentHeader(output, settings.OutputKind, settings);
    addTable(TableSettingsOf(settings), IdStemOf(settings.DestFileName));
    if (document)
        AddDocumentFooter(output);
}

// The workbook layer's sheet as the table reads it: its cells straight from its cursor, its
// merged areas one at a time, nothing copied.
class TWorkbookSheet final : public TSheetSource {
public:
    explicit TWorkbookSheet(const TShownSheet& sheet) : Sheet(sheet), Cells(sheet.Cursor()) {}

    std::uint32_t Rows() const override { return Sheet.Rows(); }
    std::uint32_t Cols() const override { return Sheet.Cols(); }
    const TSheetCell* NextCell() override
    {
        if (Cells.AtEnd())
            return nullptr;
        const TSheet::TCell& cell = Cells.Current();
        Cell = {cell.Row, cell.Col, cell.Text};
        Cells.Next();
        return &Cell;
    }
    void Rewind() override { Cells = Sheet.Cursor(); }
    std::size_t MergeCount() const override { return Sheet.Merges().size(); }
    TMergedArea Merge(std::size_t index) const override
    {
        const TCellArea& area = Sheet.Merges()[index];
        return {area.Top, area.Left, area.Bottom, area.Right};
    }

private:
    const TShownSheet& Sheet;
    TShownSheet::TCursor Cells;
    TSheetCell Cell;
};

void AddSheetDocumentLines(const TShownSheet& sheet, TOutputLines& output, const TConversionSettings& settings)
{
    AddFramedTable(output, settings, [&](const TTableSettings& table, const std::string& idStem) {
        TWorkbookSheet source(sheet);
        AddSheetTableLines(source, output, table, ReadingOf(settings, true, idStem));
    });
}

TSheet ReadSourceSheet(std::string_view workbook, const TConversionSettings& settings)
{
    try {
        return ReadSheet(workbook, settings.SheetName);
    } catch (const EWorkbookFault& fault) {
        ThrowWorkbookError(settings.SourceFileName, fault);
    }
}

// sink: where the lines go, or null for the destination file.
TConversionReport Run(const TConversionSettings& settings, TByteSink* sink)
{
    // The source is read whole before the destination is touched, so the two may be one file; a
    // source that the run itself may cut short, being its own destination, is not mapped.
    std::error_code error;
    const bool ownDestination =
        sink == nullptr && std::filesystem::equivalent(settings.SourceFileName, settings.DestFileName, error);
    TFileContents source = ReadWholeFile(settings.SourceFileName, !ownDestination);
    if (SourceKindOf(source.View().substr(0, SignatureLength)) != TSourceKind::Text) {
        // Read whole before the destination is touched, so that a sheet too large writes nothing;
        // the file's bytes go once the sheet holds its texts.
        const TSheet sheet = [&] {
            const TFileContents workbook(std::move(source));
            TSheet read = ReadSourceSheet(workbook.View(), settings);
            ThrowIfCutShort(workbook, settings.SourceFileName);
            return read;
        }();
        const TShownSheet shown(sheet, settings.KeepHidden);
        WriteDestination(settings, sink,
                         [&](TOutputLines& output) { AddSheetDocumentLines(shown, output, settings); });
        return {sheet.FormulasWithoutValue(), shown.LeftOutRows(), shown.LeftOutCols()};
    }
    try {
        const TSourceText text = DecodeSource(source, settings.SourceEncoding);
        WriteDestination(settings, sink, [&](TOutputLines& output) {
            AddDocumentLines(text, output, settings);
            ThrowIfCutShort(source, settings.SourceFileName);
        });
    } catch (const ETextFault& fault) {
        // The destination is gone by now, as after any failed write. A fault in zeros that took
        // the place of a cut file's end is no fault of the text.
        ThrowIfCutShort(source, settings.SourceFileName);
        ThrowSourceTextError(settings.SourceFileName, fault);
    }
    return {};
}

}  // namespace

TConversionReport RunConversion(const TConversionSettings& settings)
{
    return Run(settings, nullptr);
}

TConversionReport RunConversion(const TConversionSettings& settings, TByteSink& destination)
{
    return Run(settings, &destination);
}

void AddDocumentLines(const TSourceText& source, TOutputLines& output, const TConversionSettings& settings,
                      std::size_t blockSize)
{
    AddFramedTable(output, settings, [&](const TTableSettings& table, const std::string& idStem) {
        AddTableLines(source.Text, output, table, ReadingOf(settings, source.Utf8, idStem), blockSize);
    });
}

void AddWorkbookDocumentLines(std::string_view workbook, TOutputLines& output, const TConversionSettings& settings)
{
    const TSheet sheet = ReadSourceSheet(workbook, settings);
    AddSheetDocumentLines(TShownSheet(sheet, settings.KeepHidden), output, settings);
}

}  // namespace tabulor
