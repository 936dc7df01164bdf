#include "workbook/ods/sheet_content.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "workbook/ascii_text.h"
#include "workbook/formats/calendar.h"
#include "workbook/formats/general_format.h"
#include "workbook/formats/stored_number.h"
#include "workbook/ods/opendocument_names.h"
#include "workbook/ods/paragraph_text.h"
#include "workbook/ods/repeat_count.h"
#include "workbook/workbook_fault.h"
#include "workbook/xml/skipping_reader.h"

namespace tabulor::ods {
namespace {

// Past the grid, positions only need to stay past it: a cap keeps their sums from overflowing.
constexpr std::uint64_t PositionCap = std::uint64_t{1} << 40;

// How many of count places from first on lie inside a grid of size places.
std::uint64_t InGrid(std::uint64_t first, std::uint64_t count, std::uint64_t size)
{
    return std::min(first + count, size) - std::min(first, size);
}

// What a cell holds that a reader does not display: its comment, its shapes, a table:table
// inside it, the body of a note.
bool IsUndisplayed(const xml::TXmlName& name)
{
    return name.Namespace == DrawNamespace || Is(name, OfficeNamespace, "annotation") ||
           Is(name, TableNamespace, "table") || Is(name, TextNamespace, "note-body") ||
           Is(name, TextNamespace, "ruby-text");
}

// A row or column that a filter or a collapsed outline hides.
bool IsHidden(std::span<const xml::TXmlAttribute> attributes)
{
    const xml::TXmlAttribute* visibility = xml::FindAttribute(attributes, TableNamespace, "visibility");
    return visibility != nullptr && (visibility->Value == "collapse" || visibility->Value == "filter");
}

// Hides count lines from first on, as far as the grid goes.
template <typename THide>
void HideInGrid(std::uint64_t first, std::uint64_t count, std::uint64_t size, THide hide)
{
    if (first < size)
        hide(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(std::min(first + count, size) - 1));
}

// The attributes a cell's reading needs, each its place in CellAttributeNames.
enum class TCellAttribute : std::uint8_t {
    Repeat, ColsSpanned, RowsSpanned, Formula,
    ValueType, Value, BooleanValue, DateValue, TimeValue, StringValue
};

struct TAttributeName {
    std::string_view Local;
    std::string_view Namespace;
};

// By TCellAttribute.
constexpr TAttributeName CellAttributeNames[] = {
    {"number-columns-repeated", TableNamespace}, {"number-columns-spanned", TableNamespace},
    {"number-rows-spanned", TableNamespace},     {"formula", TableNamespace},
    {"value-type", OfficeNamespace},             {"value", OfficeNamespace},
    {"boolean-value", OfficeNamespace},          {"date-value", OfficeNamespace},
    {"time-value", OfficeNamespace},             {"string-value", OfficeNamespace},
};

// A cell's attributes found in one pass: a search for each would compare them all again.
class TCellAttributes {
public:
    explicit TCellAttributes(std::span<const xml::TXmlAttribute> attributes)
    {
        for (const xml::TXmlAttribute& attribute : attributes) {
            for (std::size_t index = 0; index < std::size(CellAttributeNames); ++index) {
                const TAttributeName& name = CellAttributeNames[index];
                if (Found[index] == nullptr && attribute.Name.Local == name.Local
                    && attribute.Name.Namespace == name.Namespace) {
                    Found[index] = &attribute;
                    break;
                }
            }
        }
    }
    const xml::TXmlAttribute* operator[](TCellAttribute attribute) const
    {
        return Found[static_cast<std::size_t>(attribute)];
    }

private:
    std::array<const xml::TXmlAttribute*, std::size(CellAttributeNames)> Found{};
};

class TSheetReader final : public xml::TSkippingReader<TSheetReader> {
public:
    TSheetReader(std::string_view sheetName, TSheet& sheet) : SheetName(sheetName), Sheet(sheet) {}

    struct TSheetEnd {};  // thrown at the sheet's end: the rest of the document is not read

    bool Found() const { return SheetDepth != 0; }
    void AddMerges();

private:
    enum class TValueKind { None, Number, Boolean, Date, Time, Stored };

    struct TRowCell {
        std::uint32_t Col;
        std::uint32_t Repeat;
        std::size_t Offset;  // into RowText
        std::size_t Length;
    };

    // A merged area as its top-left cell declares it, for each repeat of its row.
    struct TMerge {
        std::uint64_t Row;
        std::uint64_t Col;
        std::uint64_t Rows;
        std::uint64_t Cols;
        std::uint64_t RowRepeat;
    };

    friend class xml::TSkippingReader<TSheetReader>;
    void Start(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes);
    void End(const xml::TXmlName&);
    void Text(std::string_view text);

    void StartRow(std::span<const xml::TXmlAttribute> attributes);
    void EndRow();
    void ReadColumn(std::span<const xml::TXmlAttribute> attributes);
    void StartCell(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes);
    void ReadValue(const TCellAttributes& attributes);
    void EndCell();
    void AppendValue();
    void StartInCell(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes);
    void ChargeRowText() const;
    void AddRowCells(std::uint32_t row, bool cornersOnly);

    std::string_view SheetName;
    TSheet& Sheet;
    // Depth of the open element of each kind, 0 when none is open.
    std::uint32_t SheetDepth = 0;
    std::uint32_t RowDepth = 0;
    std::uint32_t CellDepth = 0;
    std::uint32_t ParagraphDepth = 0;

    std::uint64_t Row = 0;
    std::uint64_t RowRepeat = 1;
    std::uint64_t NextColumn = 0;  // of the sheet's column descriptions
    std::uint64_t Col = 0;
    // The row's cells that hold text, their texts one after another in RowText, kept until the
    // row's end because a repeated row adds them once per repeat.
    std::vector<TRowCell> RowCells;
    std::string RowText;
    std::vector<TMerge> Merges;
    // The rectangle of the cells added so far.
    std::uint64_t TextRows = 0;
    std::uint64_t TextCols = 0;

    std::uint64_t CellCol = 0;
    std::uint64_t CellRepeat = 1;
    std::size_t CellStart = 0;
    bool Covered = false;
    TParagraphText Paragraphs{RowText};
    bool HasFormula = false;
    bool HasValueType = false;
    TValueKind ValueKind = TValueKind::None;
    std::string Value;
};

void TSheetReader::Start(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
{
    if (CellDepth != 0) {
        StartInCell(name, attributes);
    } else if (RowDepth != 0) {
        if ((name.Local == "table-cell" || name.Local == "covered-table-cell") && name.Namespace == TableNamespace)
            StartCell(name, attributes);
        else
            SkipElement();
    } else if (SheetDepth != 0) {
        if (Is(name, TableNamespace, "table-row"))
            StartRow(attributes);
        else if (Is(name, TableNamespace, "table-column"))
            ReadColumn(attributes);
        else if (name.Namespace != TableNamespace ||
                 (name.Local != "table-header-rows" && name.Local != "table-row-group" &&
                  name.Local != "table-rows" && name.Local != "table-header-columns" &&
                  name.Local != "table-column-group" && name.Local != "table-columns"))
            SkipElement();
    } else if (Is(name, TableNamespace, "table")) {
        const xml::TXmlAttribute* named = xml::FindAttribute(attributes, TableNamespace, "name");
        if (named != nullptr && named->Value == SheetName)
            SheetDepth = Depth;
        else
            SkipElement();
    } else if (!IsOnPathToSheets(name)) {
        SkipElement();
    }
}

void TSheetReader::End(const xml::TXmlName&)
{
    if (Depth == ParagraphDepth) {
        ParagraphDepth = 0;
        Paragraphs.EndParagraph();
    } else if (Depth == CellDepth) {
        EndCell();
    } else if (Depth == RowDepth) {
        EndRow();
    } else if (Depth == SheetDepth) {
        throw TSheetEnd{};
    }
}

void TSheetReader::StartRow(std::span<const xml::TXmlAttribute> attributes)
{
    RowDepth = Depth;
    RowRepeat = ReadCount(attributes, TableNamespace, "number-rows-repeated");
    if (IsHidden(attributes))
        HideInGrid(Row, RowRepeat, MaxSheetRows, [this](auto first, auto last) { Sheet.HideRows(first, last); });
    Col = 0;
    RowCells.clear();
    RowText.clear();
}

void TSheetReader::EndRow()
{
    RowDepth = 0;
    if (!RowCells.empty()) {
        if (Row + RowRepeat > MaxSheetRows)
            ThrowInvalid();
        const TRowCell& last = RowCells.back();
        const std::uint64_t rows = Row + RowRepeat;
        const std::uint64_t cols = std::max<std::uint64_t>(TextCols, last.Col + last.Repeat);
        // A rectangle too large for a table is refused by Finish, which needs its size only:
        // the repeats' far corners give it without adding billions of cells.
        const bool cornersOnly = rows * cols > MaxTableCells;
        if (cornersOnly) {
            AddRowCells(static_cast<std::uint32_t>(rows - 1), true);
        } else {
            ChargeRowText();
            for (std::uint64_t row = Row; row < rows; ++row)
                AddRowCells(static_cast<std::uint32_t>(row), false);
        }
        TextRows = rows;
        TextCols = cols;
    }
    Row = std::min(Row + RowRepeat, PositionCap);
}

void TSheetReader::ReadColumn(std::span<const xml::TXmlAttribute> attributes)
{
    const std::uint64_t repeat = ReadCount(attributes, TableNamespace, "number-columns-repeated");
    if (IsHidden(attributes))
        HideInGrid(NextColumn, repeat, MaxSheetCols, [this](auto first, auto last) { Sheet.HideCols(first, last); });
    NextColumn = std::min(NextColumn + repeat, PositionCap);
    SkipElement();
}

// The repeats' texts are weighed before any is made: a few bytes of XML can repeat a long text
// into gigabytes.
void TSheetReader::ChargeRowText() const
{
    std::uint64_t left = Sheet.TextLeft();
    for (const TRowCell& cell : RowCells) {
        // Both repeats lie inside the grid here, so their product cannot overflow.
        const std::uint64_t copies = std::uint64_t{cell.Repeat} * RowRepeat;
        if (cell.Length > left / copies)
            ThrowInvalid();
        left -= cell.Length * copies;
    }
}

void TSheetReader::AddRowCells(std::uint32_t row, bool cornersOnly)
{
    for (const TRowCell& cell : RowCells) {
        const std::string_view text(RowText.data() + cell.Offset, cell.Length);
        const std::uint32_t first = cornersOnly ? cell.Col + cell.Repeat - 1 : cell.Col;
        for (std::uint32_t col = first; col < cell.Col + cell.Repeat; ++col)
            Sheet.AddCell(row, col, text);
    }
}

void TSheetReader::StartCell(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
{
    const TCellAttributes found(attributes);
    CellDepth = Depth;
    CellCol = Col;
    CellRepeat = ReadCount(found[TCellAttribute::Repeat]);
    Col = std::min(Col + CellRepeat, PositionCap);
    CellStart = RowText.size();
    Paragraphs.StartCell();
    // A covered cell lies under a merge: whatever text it kept is not displayed.
    Covered = name.Local == "covered-table-cell";
    if (Covered)
        return;
    const std::uint64_t cols = ReadCount(found[TCellAttribute::ColsSpanned]);
    const std::uint64_t rows = ReadCount(found[TCellAttribute::RowsSpanned]);
    if (cols > 1 || rows > 1)
        Merges.push_back({Row, CellCol, rows, cols, RowRepeat});
    HasFormula = found[TCellAttribute::Formula] != nullptr;
    ReadValue(found);
}

// The value a cell shows when it has no paragraph, copied: the attributes end with the call.
void TSheetReader::ReadValue(const TCellAttributes& attributes)
{
    struct TTyped {
        std::string_view Type;
        TCellAttribute Attribute;
        TValueKind Kind;
    };
    // Numbers, percentages and currencies keep office:value.
    constexpr TTyped others[] = {{"boolean", TCellAttribute::BooleanValue, TValueKind::Boolean},
                                 {"date", TCellAttribute::DateValue, TValueKind::Date},
                                 {"time", TCellAttribute::TimeValue, TValueKind::Time},
                                 {"string", TCellAttribute::StringValue, TValueKind::Stored}};
    ValueKind = TValueKind::None;
    const xml::TXmlAttribute* type = attributes[TCellAttribute::ValueType];
    HasValueType = type != nullptr;
    if (!HasValueType)
        return;
    TTyped typed{{}, TCellAttribute::Value, TValueKind::Number};
    for (const TTyped& other : others)
        if (type->Value == other.Type)
            typed = other;
    if (const xml::TXmlAttribute* value = attributes[typed.Attribute]) {
        Value.assign(value->Value);
        ValueKind = typed.Kind;
    }
}

void TSheetReader::EndCell()
{
    CellDepth = 0;
    if (Covered)
        return;
    if (!Paragraphs.HasParagraph())
        AppendValue();
    const std::size_t length = RowText.size() - CellStart;
    if (length == 0)
        return;
    if (CellCol + CellRepeat > MaxSheetCols)
        ThrowInvalid();
    RowCells.push_back({static_cast<std::uint32_t>(CellCol), static_cast<std::uint32_t>(CellRepeat),
                        CellStart, length});
}

// A value with no paragraph: shown as General shows it (a date as its serial number, a time as
// a fraction of a day), a boolean as French spreadsheets name it, anything else as stored.
void TSheetReader::AppendValue()
{
    std::optional<double> number;
    switch (ValueKind) {
    case TValueKind::None:
        // A formula left without its result by the program that saved it, counted at each place
        // it repeats to, as .xlsx, which writes each, is counted.
        if (HasFormula && HasValueType)
            Sheet.AddFormulaWithoutValue(InGrid(CellCol, CellRepeat, MaxSheetCols) *
                                         InGrid(Row, RowRepeat, MaxSheetRows));
        return;
    case TValueKind::Number:
        number = formats::ReadStoredNumber(Value);
        break;
    case TValueKind::Date:
        number = formats::ReadIsoDays(Value);
        break;
    case TValueKind::Time:
        number = formats::ReadIsoDuration(Value);
        break;
    case TValueKind::Boolean:
        if (Value == "true" || Value == "false") {
            RowText += Value == "true" ? "VRAI" : "FAUX";
            return;
        }
        break;
    case TValueKind::Stored:
        break;
    }
    if (number)
        formats::FormatGeneral(*number, RowText);
    else
        RowText += Value;
}

void TSheetReader::StartInCell(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
{
    if (Covered || IsUndisplayed(name)) {
        SkipElement();
    } else if (ParagraphDepth != 0) {
        Paragraphs.AddElement(name, attributes);
    } else if ((name.Local == "p" || name.Local == "h") && name.Namespace == TextNamespace) {
        ParagraphDepth = Depth;
        Paragraphs.StartParagraph();
    }
}

void TSheetReader::Text(std::string_view text)
{
    if (ParagraphDepth != 0)
        Paragraphs.AddCharacters(text);
}

// Merges are added once the rectangle is known, so that the repeats of a row far below the last
// value cost nothing; those whose top-left cell lies outside the rectangle are left out.
void TSheetReader::AddMerges()
{
    if (TextRows * TextCols > MaxTableCells)
        return;  // Finish refuses the sheet
    for (const TMerge& merge : Merges) {
        // A repeated row that spans more than itself would overlap its own repeats.
        const std::uint64_t repeat = merge.Rows > 1 ? 1 : merge.RowRepeat;
        for (std::uint64_t row = merge.Row; row < merge.Row + repeat && row < TextRows; ++row) {
            if (merge.Col >= TextCols)
                break;
            Sheet.AddMerge({static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(merge.Col),
                            static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                row + merge.Rows - 1, MaxSheetRows - 1)),
                            static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                merge.Col + merge.Cols - 1, MaxSheetCols - 1))});
        }
    }
}

}  // namespace

TSheet ReadSheetContent(const xml::TPartOpener& content, std::string_view sheetName)
{
    return xml::ReadXmlPart(content, [&](TByteReader& xml, xml::TXmlParser parse) {
        TSheet sheet{std::string(sheetName)};
        TSheetReader reader(sheetName, sheet);
        try {
            parse(xml, reader);
        } catch (const TSheetReader::TSheetEnd&) {
        }
        if (!reader.Found())
            throw EWorkbookFault(EWorkbookFault::TKind::MissingSheet, std::string(sheetName));
        reader.AddMerges();
        sheet.Finish();
        return sheet;
    });
}

}  // namespace tabulor::ods
