// A value under a parsed format: the section it falls in, which the number or date renderer
// then writes, each section's shortcut first where it has one; the built-in codes.
#include "workbook/formats/number_format.h"

#include <cmath>

#include "workbook/formats/date_section.h"
#include "workbook/formats/format_parser.h"
#include "workbook/formats/general_format.h"
#include "workbook/formats/number_section.h"

namespace tabulor::formats {
namespace {

bool Matches(const TSection& section, double value)
{
    switch (section.Compare) {
    case TCompare::Less:
        return value < section.Limit;
    case TCompare::LessEqual:
        return value <= section.Limit;
    case TCompare::Greater:
        return value > section.Limit;
    case TCompare::GreaterEqual:
        return value >= section.Limit;
    case TCompare::Equal:
        return value == section.Limit;
    case TCompare::NotEqual:
        return value != section.Limit;
    default:
        return true;
    }
}

// A section whose condition takes negative numbers only is their negative section.
bool KeepsSign(const TSection& section)
{
    return !((section.Compare == TCompare::Less || section.Compare == TCompare::LessEqual) && section.Limit <= 0);
}

struct TChoice {
    const TSection* Section = nullptr;  // none: the value shows as General
    bool KeepsSign = true;              // else the section shows the value without its sign
};

// Without conditions: one section for all, or positive and zero; negative; or positive;
// negative; zero. With them, the first two sections that match, then the one after them.
TChoice ChooseSection(const TParsedFormat& format, double value)
{
    const auto section = [&](int i) {
        return i < format.NumberSectionCount ? &format.Sections[format.NumberSections[i]] : nullptr;
    };
    const TSection* const first = section(0);
    const TSection* const second = section(1);
    if (first == nullptr)
        return {};
    if (first->Compare != TCompare::None || (second != nullptr && second->Compare != TCompare::None)) {
        if (first->Compare != TCompare::None && Matches(*first, value))
            return {first, KeepsSign(*first)};
        if (second == nullptr || second->Compare == TCompare::None)
            return {second, true};
        if (Matches(*second, value))
            return {second, KeepsSign(*second)};
        return {first->Compare == TCompare::None ? first : section(2), true};
    }
    if (second == nullptr || value > 0 || (value == 0 && format.NumberSectionCount == 2))
        return {first, true};
    if (value < 0)
        return {second, false};
    return {section(2), true};
}

}  // namespace

void FormatValue(const TParsedFormat& format, bool date1904, double value, TRendering rendering, std::string& out)
{
    if (format.General || !std::isfinite(value))
        return FormatGeneral(value, out);
    const TChoice choice = ChooseSection(format, value);
    if (choice.Section == nullptr)
        return FormatGeneral(value, out);
    const TSection& section = *choice.Section;
    const double shown = choice.KeepsSign ? value : std::fabs(value);
    const bool shortcuts = rendering == TRendering::Shortcuts;
    if (section.Kind != TSectionKind::Date) {
        if (!(shortcuts && section.PlainNumber && FormatPlainNumber(format, section, shown, out)))
            FormatNumberSection(format, section, shown, out);
        return;
    }
    if (shortcuts && section.PlainDate && FormatPlainDate(format, section, shown, date1904, out))
        return;
    if (!FormatDateSection(format, section, shown, date1904, out))
        FormatGeneral(value, out);
}

std::string_view BuiltInFormatCode(unsigned id)
{
    switch (id) {
    case 1: return "0";
    case 2: return "0.00";
    case 3: return "#,##0";
    case 4: return "#,##0.00";
    case 9: return "0%";
    case 10: return "0.00%";
    case 11: return "0.00E+00";
    case 12: return "# ?/?";
    case 13: return "# ?\?/?\?";
    case 14: return "dd/mm/yyyy";
    case 15: return "d-mmm-yy";
    case 16: return "d-mmm";
    case 17: return "mmm-yy";
    case 18: return "h:mm AM/PM";
    case 19: return "h:mm:ss AM/PM";
    case 20: return "h:mm";
    case 21: return "h:mm:ss";
    case 22: return "dd/mm/yyyy hh:mm";
    case 37: return "#,##0 ;(#,##0)";
    case 38: return "#,##0 ;[Red](#,##0)";
    case 39: return "#,##0.00;(#,##0.00)";
    case 40: return "#,##0.00;[Red](#,##0.00)";
    case 45: return "mm:ss";
    case 46: return "[h]:mm:ss";
    case 47: return "mmss.0";
    case 48: return "##0.0E+0";
    case 49: return "@";
    default: return {};
    }
}

struct TNumberFormat::TParsed {
    TParsedFormat Format;
    bool Date1904 = false;
};

TNumberFormat::TNumberFormat(std::string_view code, bool date1904)
    : Parsed(std::make_unique<TParsed>(TParsed{ParseFormat(code), date1904}))
{
}

TNumberFormat::~TNumberFormat() = default;
TNumberFormat::TNumberFormat(TNumberFormat&&) noexcept = default;
TNumberFormat& TNumberFormat::operator=(TNumberFormat&&) noexcept = default;

void TNumberFormat::FormatNumber(double value, std::string& out) const
{
    FormatValue(Parsed->Format, Parsed->Date1904, value, TRendering::Shortcuts, out);
}

void TNumberFormat::FormatText(std::string_view text, std::string& out) const
{
    const TParsedFormat& format = Parsed->Format;
    if (format.TextSection < 0) {
        out += text;
        return;
    }
    const TSection& section = format.Sections[format.TextSection];
    const TToken* const first = format.Tokens.data() + section.First;
    for (const TToken* token = first; token != first + section.Count; ++token) {
        if (token->Kind == TTokenKind::Literal)
            out.append(format.Pool, token->Offset, token->Length);
        else if (token->Kind == TTokenKind::Text)
            out += text;
    }
}

}  // namespace tabulor::formats
