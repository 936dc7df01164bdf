#include "conversion.h"

#include "background_writer.h"
#include "document_frame.h"
#include "file_errors.h"
#include "file_io.h"
#include "file_io_shared.h"
#include "table_markup.h"

namespace tabulor {

namespace {

void WriteDestination(const TSourceText& source, const TConversionSettings& settings)
{
    TDestinationFile destination(settings.DestFileName);
    {
        TBackgroundWriter writer(destination);
        TOutputLines output(&writer);
        AddDocumentLines(source, output, settings);
        output.Flush();
        writer.Wait();
    }
    destination.Commit();
}

}  // namespace

TConversionReport RunConversion(const TConversionSettings& settings)
{
    // The source is read whole before the destination is touched, so the two may be one file.
    TFileContents source = ReadWholeFile(settings.SourceFileName);
    try {
        WriteDestination(DecodeSource(source, settings.SourceEncoding), settings);
    } catch (const ETextFault& fault) {
        // The destination is gone by now, as after any failed write.
        FailSourceText(settings.SourceFileName, fault);
    }
    return {};
}

void AddDocumentLines(const TSourceText& source, TOutputLines& output, const TConversionSettings& settings)
{
    const bool document = settings.OutputKind != okTableOnly;
    const bool xhtml = settings.OutputKind == okXhtmlDocument;
    if (document)
        AddDocumentHeader(output, xhtml);
    AddTableLines(TSourceLines(source.Text, settings.FieldSeparator), output, settings,
                  {settings.FieldSeparator, source.Utf8, xhtml});
    if (document)
        AddDocumentFooter(output);
}

}  // namespace tabulor
