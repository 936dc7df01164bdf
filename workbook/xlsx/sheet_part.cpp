#include "workbook/xlsx/sheet_part.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

#include "workbook/ascii_text.h"
#include "workbook/formats/calendar.h"
#include "workbook/formats/stored_number.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx/compatible_reader.h"
#include "workbook/xlsx/main_namespace.h"
#include "workbook/xlsx/rich_text.h"
#include "workbook/xml/xml_reader.h"

// This is the hot loop of a conversion: one cell's texts live in buffers reused from cell to
// cell, and references and numbers are read by hand.

namespace tabulor::xlsx {

namespace {

// Decimal digits only, at most 15 of them; false otherwise.
bool ParseUnsigned(std::string_view text, std::uint64_t& value)
{
    if (text.empty() || text.size() > 15)
        return false;
    const TDigitRun run = ReadDigits(text);
    if (run.Count != text.size())
        return false;
    value = run.Value;
    return true;
}

// "B12" as 0-based row 11, column 1; false for anything else, or a place past the grid.
bool ParseCellReference(std::string_view text, std::uint32_t& row, std::uint32_t& col)
{
    std::size_t at = 0;
    std::uint32_t column = 0;
    for (; at < text.size() && at < 4; ++at) {
        const auto letter = static_cast<unsigned char>((text[at] | 0x20) - 'a');
        if (letter >= 26)
            break;
        column = column * 26 + letter + 1;
    }
    std::uint64_t number = 0;
    if (at == 0 || !ParseUnsigned(text.substr(at), number) || number == 0 || number > MaxSheetRows
        || column > MaxSheetCols)
        return false;
    row = static_cast<std::uint32_t>(number - 1);
    col = column - 1;
    return true;
}

// An xsd:boolean.
bool IsTrue(const xml::TXmlAttribute* attribute)
{
    return attribute != nullptr && (attribute->Value == "1" || attribute->Value == "true");
}

TCellArea ParseArea(std::string_view text)
{
    const std::size_t colon = text.find(':');
    TCellArea area;
    if (!ParseCellReference(text.substr(0, colon), area.Top, area.Left))
        ThrowInvalid();
    area.Bottom = area.Top;
    area.Right = area.Left;
    if (colon != std::string_view::npos) {
        std::uint32_t row = 0;
        std::uint32_t col = 0;
        if (!ParseCellReference(text.substr(colon + 1), row, col))
            ThrowInvalid();
        area = {std::min(area.Top, row), std::min(area.Left, col), std::max(area.Top, row),
                std::max(area.Left, col)};
    }
    return area;
}

// The sheet shows "\n" for every line break the file holds.
void NormalizeBreaks(std::string& text)
{
    if (std::memchr(text.data(), '\r', text.size()) == nullptr)
        return;
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r') {
            text[out++] = '\n';
            if (in + 1 < text.size() && text[in + 1] == '\n')
                ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

enum class TCellType { Number, Shared, Inline, FormulaText, Boolean, Error, Date };

TCellType CellTypeOf(std::string_view type)
{
    if (type == "s")
        return TCellType::Shared;
    if (type == "inlineStr")
        return TCellType::Inline;
    if (type == "str")
        return TCellType::FormulaText;
    if (type == "b")
        return TCellType::Boolean;
    if (type == "e")
        return TCellType::Error;
    if (type == "d")
        return TCellType::Date;
    return TCellType::Number;
}

class TSheetHandler final : public TCompatibleReader<TSheetHandler> {
public:
    TSheetHandler(const TSharedStrings& strings, const TCellStyles& styles, TSheet& sheet)
        : Strings(strings), Styles(styles), Sheet(sheet)
    {
    }

private:
    friend class TCompatibleReader<TSheetHandler>;
    void OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes);
    void OnEnd(const xml::TXmlName& name);
    void OnText(std::string_view text)
    {
        if (InValue)
            Value.append(text);
        else if (InInline)
            Inline.Text(text);
    }
    void StartRow(std::span<const xml::TXmlAttribute> attributes);
    void HideCols(std::span<const xml::TXmlAttribute> attributes);
    void StartCell(std::span<const xml::TXmlAttribute> attributes);
    void EndCell();
    // The cell's text into Text; false for an empty cell.
    bool FormatCell();

    const TSharedStrings& Strings;
    const TCellStyles& Styles;
    TSheet& Sheet;
    bool InSheetData = false;
    bool InRow = false;
    bool InCell = false;
    bool InValue = false;
    bool InInline = false;
    std::uint32_t Row = 0;  // the current row's, or the next one's between rows
    std::uint32_t NextCol = 0;
    // The current cell's.
    std::uint32_t CellRow = 0;
    std::uint32_t CellCol = 0;
    TCellType Type = TCellType::Number;
    std::uint64_t Style = 0;
    bool HasFormula = false;
    bool HasValue = false;
    std::string Value;
    TRichText Inline;
    std::string Unescaped;
    std::string Text;
};

void TSheetHandler::OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
{
    if (!IsMain(name.Namespace))
        return;
    const std::string_view local = name.Local;
    if (InCell) {
        if (local == "v") {
            InValue = HasValue = true;
        } else if (local == "f") {
            HasFormula = true;
        } else if (InInline) {
            Inline.Start(name);
        } else if (local == "is" && Type == TCellType::Inline) {
            InInline = HasValue = true;
        }
    } else if (InRow) {
        if (local == "c")
            StartCell(attributes);
    } else if (InSheetData) {
        if (local == "row")
            StartRow(attributes);
    } else if (local == "sheetData") {
        InSheetData = true;
    } else if (local == "col") {
        HideCols(attributes);
    } else if (local == "mergeCell") {
        const xml::TXmlAttribute* ref = xml::FindAttribute(attributes, {}, "ref");
        if (!ref)
            ThrowInvalid();
        Sheet.AddMerge(ParseArea(ref->Value));
    }
}

void TSheetHandler::OnEnd(const xml::TXmlName& name)
{
    if (!IsMain(name.Namespace))
        return;
    const std::string_view local = name.Local;
    if (InCell) {
        if (local == "v")
            InValue = false;
        else if (local == "c")
            EndCell();
        else if (local == "is")
            InInline = false;
        else if (InInline)
            Inline.End(name);
    } else if (local == "row" && InRow) {
        InRow = false;
        ++Row;
    } else if (local == "sheetData") {
        InSheetData = false;
    }
}

void TSheetHandler::StartRow(std::span<const xml::TXmlAttribute> attributes)
{
    InRow = true;
    NextCol = 0;
    if (const xml::TXmlAttribute* r = xml::FindAttribute(attributes, {}, "r")) {
        std::uint64_t number = 0;
        if (!ParseUnsigned(r->Value, number) || number == 0 || number > MaxSheetRows)
            ThrowInvalid();
        Row = static_cast<std::uint32_t>(number - 1);
    } else if (Row >= MaxSheetRows) {
        ThrowInvalid();
    }
    // Filters and collapsed outlines hide rows this way.
    if (IsTrue(xml::FindAttribute(attributes, {}, "hidden")))
        Sheet.HideRows(Row, Row);
}

// Columns from min to max, counted from 1, share a width and whether they are hidden.
void TSheetHandler::HideCols(std::span<const xml::TXmlAttribute> attributes)
{
    if (!IsTrue(xml::FindAttribute(attributes, {}, "hidden")))
        return;
    const xml::TXmlAttribute* min = xml::FindAttribute(attributes, {}, "min");
    const xml::TXmlAttribute* max = xml::FindAttribute(attributes, {}, "max");
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    if (!min || !max || !ParseUnsigned(min->Value, first) || !ParseUnsigned(max->Value, last) || first == 0
        || first > last)
        ThrowInvalid();
    if (first <= MaxSheetCols)
        Sheet.HideCols(static_cast<std::uint32_t>(first - 1),
                       static_cast<std::uint32_t>(std::min<std::uint64_t>(last, MaxSheetCols) - 1));
}

void TSheetHandler::StartCell(std::span<const xml::TXmlAttribute> attributes)
{
    InCell = true;
    HasFormula = HasValue = false;
    Type = TCellType::Number;
    Style = 0;
    Value.clear();
    Inline.Raw.clear();
    bool placed = false;
    for (const xml::TXmlAttribute& attribute : attributes) {
        if (!attribute.Name.Namespace.empty())
            continue;
        const std::string_view local = attribute.Name.Local;
        if (local == "r") {
            if (!ParseCellReference(attribute.Value, CellRow, CellCol))
                ThrowInvalid();
            placed = true;
        } else if (local == "t") {
            Type = CellTypeOf(attribute.Value);
        } else if (local == "s" && !ParseUnsigned(attribute.Value, Style)) {
            ThrowInvalid();
        }
    }
    if (!placed) {
        CellRow = Row;
        CellCol = NextCol;
        if (CellCol >= MaxSheetCols)
            ThrowInvalid();
    }
    NextCol = CellCol + 1;
}

void TSheetHandler::EndCell()
{
    InCell = InValue = InInline = false;
    // Some writers leave an empty v where no value was computed; only a text formula's empty
    // result is a value.
    if (!HasValue
        || (HasFormula && Value.empty() && Type != TCellType::FormulaText && Type != TCellType::Inline)) {
        if (HasFormula)
            Sheet.AddFormulaWithoutValue();
        return;
    }
    Text.clear();
    if (!FormatCell())
        return;
    NormalizeBreaks(Text);
    Sheet.AddCell(CellRow, CellCol, Text);
}

bool TSheetHandler::FormatCell()
{
    const formats::TNumberFormat& format = Styles.FormatOf(Style);
    switch (Type) {
    case TCellType::Shared: {
        std::uint64_t index = 0;
        if (!ParseUnsigned(Value, index))
            ThrowInvalid();
        format.FormatText(Strings.At(index), Text);
        return true;
    }
    case TCellType::Inline:
    case TCellType::FormulaText:
        Unescaped.clear();
        AppendUnescaped(Type == TCellType::Inline ? std::string_view(Inline.Raw) : std::string_view(Value),
                        Unescaped);
        format.FormatText(Unescaped, Text);
        return true;
    case TCellType::Boolean:
        Text = Value == "0" || Value == "false" ? "FAUX" : "VRAI";
        return !Value.empty();
    case TCellType::Error:
        Text = Value;
        return true;
    case TCellType::Date:
    case TCellType::Number:
        break;
    }
    if (Value.empty())
        return false;
    double number = 0;
    if (Type == TCellType::Date) {
        const std::optional<double> serial = formats::ReadIsoSerial(Value, Styles.IsDate1904());
        if (!serial)
            ThrowInvalid();
        number = *serial;
    } else {
        const std::optional<double> read = formats::ReadStoredNumber(Value);
        if (!read || !std::isfinite(*read))
            ThrowInvalid();
        number = *read;
    }
    format.FormatNumber(number, Text);
    return true;
}

}  // namespace

TSheet ReadSheetPart(const xml::TPartOpener& open, const std::string& name, const TSharedStrings& strings,
                     const TCellStyles& styles)
{
    return xml::ReadXmlPart(open, [&](TByteReader& xml, xml::TXmlParser parse) {
        TSheet sheet(name);
        TSheetHandler handler(strings, styles, sheet);
        parse(xml, handler);
        return sheet;
    });
}

}  // namespace tabulor::xlsx
