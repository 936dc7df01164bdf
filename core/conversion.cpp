#include "conversion.h"

#include "background_writer.h"
#include "document_frame.h"
#include "file_io.h"
#include "table_markup.h"

namespace tabulor {

void RunConversion(const TConversionSettings& settings)
{
    // The source is read whole before the destination is touched, so the two may be one file.
    const TFileContents source = ReadWholeFile(settings.SourceFileName);
    TDestinationFile destination(settings.DestFileName);
    {
        TBackgroundWriter writer(destination);
        TOutputLines output(&writer);
        const bool document = settings.OutputKind != okTableOnly;
        if (document)
            AddDocumentHeader(output, settings.OutputKind == okXhtmlDocument);
        AddTableLines(TSourceLines(source.View()), output, settings);
        if (document)
            AddDocumentFooter(output);
        output.Flush();
        writer.Wait();
    }
    destination.Commit();
}

}  // namespace tabulor
