#include "workbook/xlsx/cell_styles.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

#include "workbook/xlsx/compatible_reader.h"
#include "workbook/xlsx/main_namespace.h"
#include "workbook/xml/xml_reader.h"

namespace tabulor::xlsx {

namespace {

// A missing or unreadable id is General's, 0.
unsigned FormatIdOf(std::span<const xml::TXmlAttribute> attributes)
{
    const xml::TXmlAttribute* id = xml::FindAttribute(attributes, {}, "numFmtId");
    unsigned value = 0;
    if (id)
        std::from_chars(id->Value.data(), id->Value.data() + id->Value.size(), value);
    return value;
}

}  // namespace

class TStylesHandler : public TCompatibleHandler {
public:
    explicit TStylesHandler(TCellStyles& styles) : Styles(styles) {}

private:
    void OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) override
    {
        if (!IsMain(name.Namespace))
            return;
        if (name.Local == "numFmts") {
            Within = TWithin::NumFmts;
        } else if (name.Local == "cellXfs") {
            Within = TWithin::CellXfs;
        } else if (Within == TWithin::NumFmts && name.Local == "numFmt") {
            const xml::TXmlAttribute* code = xml::FindAttribute(attributes, {}, "formatCode");
            Styles.CustomCodes.push_back({FormatIdOf(attributes), std::string(code ? code->Value : "")});
        } else if (Within == TWithin::CellXfs && name.Local == "xf") {
            Styles.StyleFormatIds.push_back(FormatIdOf(attributes));
        }
    }
    void OnEnd(const xml::TXmlName& name) override
    {
        if (IsMain(name.Namespace) && (name.Local == "numFmts" || name.Local == "cellXfs"))
            Within = TWithin::None;
    }
    void OnText(std::string_view) override {}

    TCellStyles& Styles;
    enum class TWithin { None, NumFmts, CellXfs };
    TWithin Within = TWithin::None;
};

TCellStyles::TCellStyles(TByteReader& xml, bool date1904) : Date1904(date1904)
{
    TStylesHandler handler(*this);
    xml::ParseXml(xml, handler);
    // By id for CodeOf; of two codes with one id, the first stays first.
    std::ranges::stable_sort(CustomCodes, {}, &TCustomCode::Id);
    Formats.resize(StyleFormatIds.size());
}

std::string TCellStyles::CodeOf(unsigned formatId) const
{
    // Some programs give a built-in id a code of their own: theirs is what the sheet shows.
    const auto custom = std::ranges::lower_bound(CustomCodes, formatId, {}, &TCustomCode::Id);
    if (custom != CustomCodes.end() && custom->Id == formatId)
        return custom->Code;
    return std::string(formats::BuiltInFormatCode(formatId));
}

const formats::TNumberFormat& TCellStyles::FormatOf(std::uint64_t style) const
{
    if (style >= Formats.size())
        return General;
    std::unique_ptr<formats::TNumberFormat>& format = Formats[style];
    if (!format)
        format = std::make_unique<formats::TNumberFormat>(CodeOf(StyleFormatIds[style]), Date1904);
    return *format;
}

}  // namespace tabulor::xlsx
