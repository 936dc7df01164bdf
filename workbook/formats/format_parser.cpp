// A code split into its sections, each section's kind told and what every kind reads alike.
//
// Literal text is kept as valid UTF-8 whatever the code holds: a byte that starts no character
// becomes U+FFFD, so that no cell's text can break the document it goes into.
#include "workbook/formats/format_parser.h"

#include <charconv>

#include "workbook/formats/date_section.h"
#include "workbook/formats/number_section.h"

namespace tabulor::formats {

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word)
{
    return EqualsIgnoringAsciiCase(text.substr(at, word.size()), word);
}

namespace {

// Excel writes the system's long date and long time either way; both become the French ones.
constexpr std::string_view LongDateCode = "dddd d mmmm yyyy";
constexpr std::string_view LongTimeCode = "hh:mm:ss";
constexpr std::string_view Replacement = "\xEF\xBF\xBD";

// The length of the UTF-8 character at text[at]; 0 when the bytes there are not one.
std::size_t CharLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || text.size() - at < length)
        return 0;
    // The second byte's range also rules out overlong forms, surrogates and code points past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    return length;
}

// The position after the character at text[at], a stray byte counting as one.
std::size_t NextChar(std::string_view text, std::size_t at)
{
    const std::size_t length = CharLength(text, at);
    return at + (length == 0 ? 1 : length);
}

// The code's sections, split at the semicolons that are not quoted, escaped or bracketed.
int SplitSections(std::string_view code, std::array<std::string_view, 4>& sections)
{
    int count = 0;
    std::size_t start = 0;
    for (std::size_t at = 0; at < code.size();) {
        const char c = code[at];
        if (c == '"' || c == '[') {
            const std::size_t close = code.find(c == '"' ? '"' : ']', at + 1);
            at = close == std::string_view::npos ? code.size() : close + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            at += 2;
        } else if (c == ';') {
            sections[count++] = code.substr(start, at - start);
            start = ++at;
            if (count == 4)
                return count;  // what follows a fourth section shows nowhere
        } else {
            ++at;
        }
    }
    sections[count++] = code.substr(start);
    return count;
}

bool IsElapsed(std::string_view content)
{
    if (content.empty())
        return false;
    const char letter = LowerAscii(content[0]);
    if (letter != 'h' && letter != 'm' && letter != 's')
        return false;
    for (const char c : content)
        if (LowerAscii(c) != letter)
            return false;
    return true;
}

std::string_view SystemCode(std::string_view code)
{
    for (std::size_t at = code.find('['); at != std::string_view::npos; at = code.find('[', at + 1)) {
        if (StartsWithNoCase(code, at, "[$-F800]") || StartsWithNoCase(code, at, "[$-x-sysdate]"))
            return LongDateCode;
        if (StartsWithNoCase(code, at, "[$-F400]") || StartsWithNoCase(code, at, "[$-x-systime]"))
            return LongTimeCode;
    }
    return code;
}

}  // namespace

void TSectionParser::Parse(std::string_view code)
{
    Code = SystemCode(code);
    Section.First = static_cast<std::uint32_t>(Format.Tokens.size());
    Section.Kind = Classify();
    while (At < Code.size()) {
        const bool afterPlaceholder = AfterPlaceholder;
        AfterPlaceholder = false;
        if (TakeCommon())
            continue;
        if (Section.Kind == TSectionKind::Number)
            TakeNumber(afterPlaceholder);
        else if (Section.Kind == TSectionKind::Date)
            TakeDate();
        else
            TakeText();
    }
    Section.Count = static_cast<std::uint32_t>(Format.Tokens.size()) - Section.First;
    if (Section.Kind == TSectionKind::Date)
        FinishDate();
    else
        PlaceDigits();
}

TSectionKind TSectionParser::Classify() const
{
    bool date = false;
    for (std::size_t at = 0; at < Code.size();) {
        const char c = LowerAscii(Code[at]);
        if (c == '"' || c == '[') {
            const std::size_t close = Code.find(c == '"' ? '"' : ']', at + 1);
            const std::size_t end = close == std::string_view::npos ? Code.size() : close;
            date = date || (c == '[' && IsElapsed(Code.substr(at + 1, end - at - 1)));
            at = end + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            at += 2;
        } else if (c == '@') {
            return TSectionKind::Text;
        } else if (StartsWithNoCase(Code, at, "General")) {
            at += 7;
        } else {
            date = date || c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 's' ||
                   StartsWithNoCase(Code, at, "AM/PM") || StartsWithNoCase(Code, at, "A/P");
            ++at;
        }
    }
    return date ? TSectionKind::Date : TSectionKind::Number;
}

// What every kind of section reads alike: quoted text, escapes, spacing, fills, brackets and
// General.
bool TSectionParser::TakeCommon()
{
    const char c = Code[At];
    if (c == '"') {
        const std::size_t close = Code.find('"', At + 1);
        const std::size_t end = close == std::string_view::npos ? Code.size() : close;
        AddText(Code.substr(At + 1, end - At - 1));
        At = end + 1;
    } else if (c == '\\') {
        if (++At < Code.size())
            TakeChar();
    } else if (c == '_' || c == '*') {
        // _x leaves the width of x, one space here; *x repeats x to fill the cell, nothing here.
        if (++At < Code.size())
            At = NextChar(Code, At);
        if (c == '_')
            AddText(" ");
    } else if (c == '[') {
        TakeBracket();
    } else if (StartsWithNoCase(Code, At, "General")) {
        AddToken({.Kind = TTokenKind::General});
        Section.HasGeneral = true;
        At += 7;
    } else {
        return false;
    }
    return true;
}

void TSectionParser::TakeBracket()
{
    const std::size_t close = Code.find(']', At);
    const std::size_t end = close == std::string_view::npos ? Code.size() : close;
    const std::string_view content = Code.substr(At + 1, end - At - 1);
    At = end + 1;
    if (content.empty())
        return;
    if (content[0] == '$') {
        const std::string_view currency = content.substr(1);
        AddText(currency.substr(0, currency.find('-')));
    } else if (content[0] == '<' || content[0] == '>' || content[0] == '=') {
        TakeCondition(content);
    } else if (Section.Kind == TSectionKind::Date && IsElapsed(content)) {
        const char letter = LowerAscii(content[0]);
        const TTokenKind kind = letter == 'h'   ? TTokenKind::ElapsedHours
                                : letter == 'm' ? TTokenKind::ElapsedMinutes
                                                : TTokenKind::ElapsedSeconds;
        AddToken({.Kind = kind, .Position = static_cast<std::uint32_t>(content.size())});
    }
    // Anything else names a colour or a locale, which the text does not show.
}

void TSectionParser::TakeCondition(std::string_view content)
{
    static constexpr std::pair<std::string_view, TCompare> Operators[] = {
        {"<=", TCompare::LessEqual}, {">=", TCompare::GreaterEqual}, {"<>", TCompare::NotEqual},
        {"<", TCompare::Less},       {">", TCompare::Greater},       {"=", TCompare::Equal},
    };
    for (const auto& [text, compare] : Operators) {
        if (!content.starts_with(text))
            continue;
        std::string_view number = content.substr(text.size());
        while (!number.empty() && number.front() == ' ')
            number.remove_prefix(1);
        double limit = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), limit);
        if (error == std::errc() && Section.Compare == TCompare::None) {
            Section.Compare = compare;
            Section.Limit = limit;
        }
        return;
    }
}

void TSectionParser::TakeText()
{
    if (Code[At] != '@')
        return TakeChar();
    AddToken({.Kind = TTokenKind::Text});
    ++At;
}

void TSectionParser::TakeChar()
{
    const std::size_t end = NextChar(Code, At);
    AddText(Code.substr(At, end - At));
    At = end;
}

void TSectionParser::AddText(std::string_view text, TField field)
{
    const auto offset = static_cast<std::uint32_t>(Format.Pool.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        Format.Pool += length == 0 ? Replacement : text.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    const auto length = static_cast<std::uint32_t>(Format.Pool.size()) - offset;
    if (length == 0)
        return;
    // A literal right after another of the same field lengthens it.
    if (Format.Tokens.size() > Section.First) {
        TToken& last = Format.Tokens.back();
        if (last.Kind == TTokenKind::Literal && last.Field == field && last.Offset + last.Length == offset) {
            last.Length += length;
            return;
        }
    }
    AddToken({.Field = field, .Offset = offset, .Length = length});
}

TParsedFormat ParseFormat(std::string_view code)
{
    TParsedFormat format;
    if (code.empty() || (code.size() == 7 && StartsWithNoCase(code, 0, "General"))) {
        format.General = true;
        return format;
    }
    std::array<std::string_view, 4> sections;
    format.SectionCount = SplitSections(code, sections);
    for (int i = 0; i < format.SectionCount; ++i) {
        TSectionParser(format, format.Sections[i]).Parse(sections[i]);
        FindPlainNumber(format, format.Sections[i]);
        FindPlainDate(format, format.Sections[i]);
    }
    for (int i = 0; i < format.SectionCount && format.TextSection < 0; ++i)
        if (format.Sections[i].Kind == TSectionKind::Text)
            format.TextSection = i;
    if (format.TextSection < 0 && format.SectionCount == 4)
        format.TextSection = 3;
    for (int i = 0; i < format.SectionCount && format.NumberSectionCount < 3; ++i)
        if (i != format.TextSection)
            format.NumberSections[format.NumberSectionCount++] = i;
    return format;
}

}  // namespace tabulor::formats