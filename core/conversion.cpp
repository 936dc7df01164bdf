#include "conversion.h"

#include "background_writer.h"
#include "document_frame.h"
#include "file_errors.h"
#include "file_io.h"
#include "file_io_shared.h"
#include "sheet_markup.h"
#include "table_markup.h"
#include "workbook/workbook.h"

namespace tabulor {

namespace {

// The destination takes the lines that addLines gives only once all of them are written.
template <typename TAddLines>
void WriteDestination(const TConversionSettings& settings, TAddLines addLines)
{
    TDestinationFile destination(settings.DestFileName);
    {
        TBackgroundWriter writer(destination);
        TOutputLines output(&writer);
        addLines(output);
        output.Flush();
        writer.Wait();
    }
    destination.Commit();
}

template <typename TAddTable>
void AddFramedTable(TOutputLines& output, const TConversionSettings& settings, TAddTable addTable)
{
    const bool document = settings.OutputKind != okTableOnly;
    if (document)
        AddDocumentHeader(output, settings.OutputKind == okXhtmlDocument);
    addTable();
    if (document)
        AddDocumentFooter(output);
}

void AddSheetDocumentLines(const TSheet& sheet, TOutputLines& output, const TConversionSettings& settings)
{
    AddFramedTable(output, settings, [&] {
        AddSheetTableLines(sheet, output, settings, settings.OutputKind == okXhtmlDocument);
    });
}

// Read whole before the destination is touched, so that a sheet too large writes nothing; the
// file's bytes go once the sheet holds its texts.
TSheet ReadSourceSheet(TFileContents source, const TConversionSettings& settings)
{
    try {
        return ReadSheet(source.View(), settings.SheetName);
    } catch (const EWorkbookFault& fault) {
        FailWorkbook(settings.SourceFileName, fault);
    }
}

}  // namespace

TConversionReport RunConversion(const TConversionSettings& settings)
{
    // The source is read whole before the destination is touched, so the two may be one file.
    TFileContents source = ReadWholeFile(settings.SourceFileName);
    if (SourceKindOf(source.View().substr(0, 8)) != TSourceKind::Text) {
        const TSheet sheet = ReadSourceSheet(std::move(source), settings);
        WriteDestination(settings,
                         [&](TOutputLines& output) { AddSheetDocumentLines(sheet, output, settings); });
        return {sheet.FormulasWithoutValue()};
    }
    try {
        const TSourceText text = DecodeSource(source, settings.SourceEncoding);
        WriteDestination(settings, [&](TOutputLines& output) { AddDocumentLines(text, output, settings); });
    } catch (const ETextFault& fault) {
        // The destination is gone by now, as after any failed write.
        FailSourceText(settings.SourceFileName, fault);
    }
    return {};
}

void AddDocumentLines(const TSourceText& source, TOutputLines& output, const TConversionSettings& settings)
{
    AddFramedTable(output, settings, [&] {
        AddTableLines(TSourceLines(source.Text, settings.FieldSeparator), output, settings,
                      {settings.FieldSeparator, source.Utf8, settings.OutputKind == okXhtmlDocument});
    });
}

}  // namespace tabulor
