// The pieces of the .xlsx reader, shared by its units and by the sheet fuzzer: the package's
// parts as the relationships name them, the shared strings, the cell styles and the streamed sheet.
//
// Nothing here is a public interface of the workbook layer; xlsx_reader.h is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/ascii_text.h"
#include "workbook/byte_reader.h"
#include "workbook/formats/number_format.h"
#include "workbook/sheet.h"
#include "workbook/workbook_fault.h"
#include "workbook/xml/xml_reader.h"
#include "workbook/xml/xml_scanner.h"
#include "workbook/xml/skipping_reader.h"
#include "workbook/zip/zip_archive.h"

namespace tabulor::xlsx {

inline constexpr std::string_view MainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view StrictMainNamespace = "http://purl.oclc.org/ooxml/spreadsheetml/main";

// Transitional or Strict spreadsheetml: both name the same elements.
inline bool IsMain(std::string_view nameSpace)
{
    return nameSpace == MainNamespace || nameSpace == StrictMainNamespace;
}

inline bool IsMainElement(const xml::TXmlName& name, std::string_view local)
{
    return name.Local == local && IsMain(name.Namespace);
}

inline constexpr std::string_view McNamespace = "http://schemas.openxmlformats.org/markup-compatibility/2006";

// A reader of markup-compatibility blocks as a program that knows no extension reads them:
// through mc:Fallback, with every mc:Choice left out. TReader's OnStart, OnEnd and OnText see
// the other events only, each called directly.
template <typename TReader>
class TCompatibleReader : public xml::TSkippingReader<TCompatibleReader<TReader>> {
private:
    friend class xml::TSkippingReader<TCompatibleReader<TReader>>;
    TReader& Self() { return static_cast<TReader&>(*this); }
    void Start(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
    {
        if (name.Namespace != McNamespace)
            Self().OnStart(name, attributes);
        else if (name.Local == "Choice")
            this->SkipElement();
    }
    void End(const xml::TXmlName& name)
    {
        if (name.Namespace != McNamespace)
            Self().OnEnd(name);
    }
    void Text(std::string_view text) { Self().OnText(text); }
};

// The same for a reader that overrides virtual functions.
class TCompatibleHandler : public TCompatibleReader<TCompatibleHandler> {
protected:
    virtual void OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) = 0;
    virtual void OnEnd(const xml::TXmlName& name) = 0;
    virtual void OnText(std::string_view text) = 0;

private:
    friend class TCompatibleReader<TCompatibleHandler>;
};

// Parses a part through the handler; a missing part is a fault of the file.
void ParsePart(const zip::TZipArchive& archive, std::string_view part, xml::TXmlHandler& handler);

struct TSheetPart {
    std::string Name;
    bool Hidden = false;
    std::string Part;  // the zip entry's name
};

// What the workbook part and its relationships say.
struct TWorkbookParts {
    std::vector<TSheetPart> Sheets;  // worksheets only, in order
    std::string SharedStrings;  // empty when there is none
    std::string Styles;
    bool Date1904 = false;
};

// Throws EWorkbookFault{Unsupported} for a binary workbook, {Invalid} for a broken package.
TWorkbookParts ReadWorkbookParts(const zip::TZipArchive& archive);

// Appends the text with its _xHHHH_ escapes decoded.
void AppendUnescaped(std::string_view raw, std::string& out);

// The text of a string item (si) or an inline string (is): its t, or its runs' r/t joined; the
// phonetic runs (rPh) left out. Fed the events inside the item; the raw text, escapes and all.
class TRichText {
public:
    void Start(const xml::TXmlName& name);
    void End(const xml::TXmlName& name);
    void Text(std::string_view text)
    {
        if (InText)
            Raw.append(text);
    }
    std::string Raw;

private:
    bool InText = false;
    bool InPhonetic = false;
};

// The texts of the shared-string table, all in one buffer.
class TSharedStrings {
public:
    TSharedStrings() = default;
    // Reads the shared-string part.
    explicit TSharedStrings(const xml::TPartOpener& open);
    std::size_t Size() const { return Ends.size(); }
    // Throws EWorkbookFault{Invalid} for an index past the table.
    std::string_view At(std::uint64_t index) const;

private:
    friend class TSharedStringsHandler;
    std::string Texts;
    std::vector<std::size_t> Ends;
};

// The number format of each cell style, each made once, when a cell first uses it.
class TCellStyles {
public:
    explicit TCellStyles(bool date1904 = false) : Date1904(date1904) {}
    TCellStyles(TByteReader& xml, bool date1904);
    // An unknown style is General.
    const TNumberFormat& FormatOf(std::uint64_t style) const;
    bool IsDate1904() const { return Date1904; }

private:
    friend class TStylesHandler;
    std::string CodeOf(unsigned formatId) const;
    struct TCustomCode {
        unsigned Id;
        std::string Code;
    };
    std::vector<TCustomCode> CustomCodes;  // sorted by id once read
    std::vector<unsigned> StyleFormatIds;  // by cellXfs index
    mutable std::vector<std::unique_ptr<TNumberFormat>> Formats;  // by cellXfs index, made on use
    TNumberFormat General;
    bool Date1904;
};

// A worksheet part's cells and merges as a sheet of that name, not yet finished. Throws
// EWorkbookFault{Invalid} for bad XML or a reference past the grid.
TSheet ReadSheetPart(const xml::TPartOpener& open, const std::string& name, const TSharedStrings& strings,
                     const TCellStyles& styles);

}  // namespace tabulor::xlsx
