#include "sample_workbook.h"

#include <stdexcept>

#include "core/utf8.h"
#include "sample_invoice.h"
#include "sample_words.h"
#include "tests/testkit/sheet_forms.h"

namespace tabulor::bench {

namespace {

constexpr std::string_view NoBreakSpace = "\xC2\xA0";

// The word lists are Windows-1252 bytes, as the text sources hold them.
std::string Utf8(std::string_view windows1252)
{
    std::string text;
    for (const char byte : windows1252) {
        char utf8[4];
        text.append(utf8, EncodeUtf8(testkit::Windows1252Character(static_cast<unsigned char>(byte)), utf8));
    }
    return text;
}

// A word that the text samples quote as a spreadsheet's export quotes it is, in the sheet, the
// text inside the quotes.
std::string Unquoted(const std::string& word)
{
    if (word.size() < 2 || word.front() != '"' || word.back() != '"')
        return word;
    std::string text;
    for (std::size_t i = 1; i + 1 < word.size(); ++i) {
        text += word[i];
        if (word[i] == '"')
            ++i;
    }
    return text;
}

TWorkbookCell Text(const std::string& windows1252)
{
    const std::string text = Utf8(Unquoted(windows1252));
    return {false, TWorkbookFormat::General, text, {}, text};
}

// A decimal number as a spreadsheet program stores it, its trailing zeros dropped: "5139.5".
std::string Shortest(std::string decimal)
{
    if (decimal.find('.') == std::string::npos)
        return decimal;
    decimal.erase(decimal.find_last_not_of('0') + 1);
    if (decimal.back() == '.')
        decimal.pop_back();
    return decimal;
}

TWorkbookCell Amount(std::uint64_t cents, TWorkbookFormat format)
{
    const std::string currency = format == TWorkbookFormat::Euros ? " \xE2\x82\xAC" : "";
    return {true, format, Shortest(FormatAmount(cents, "", '.', "")), {},
            FormatAmount(cents, NoBreakSpace, ',', currency)};
}

// The VAT rate as a fraction, "0.055", shown with two decimals, "5,50%".
TWorkbookCell Rate(std::uint64_t perMille)
{
    return {true, TWorkbookFormat::Percent, Shortest("0." + ZeroPadded(perMille, 3)), {},
            FormatAmount(perMille * 10, "", ',', "%")};
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar (Howard Hinnant's
// days_from_civil).
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day)
{
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// A date after February 1900 counts its days from 30 December 1899 in the 1900 date system.
TWorkbookCell Date(const TInvoice& invoice)
{
    using std::int64_t;
    const int64_t serial = DaysFromCivil(static_cast<int64_t>(invoice.Year), static_cast<int64_t>(invoice.Month),
                                         static_cast<int64_t>(invoice.Day)) -
                           DaysFromCivil(1899, 12, 30);
    const std::string year = ZeroPadded(invoice.Year, 4);
    const std::string month = ZeroPadded(invoice.Month, 2);
    const std::string day = ZeroPadded(invoice.Day, 2);
    return {true, TWorkbookFormat::Date, std::to_string(serial), year + "-" + month + "-" + day, day + "/" + month + "/" + year};
}

}  // namespace

TWorkbookRow TInvoiceSheet::NextRow()
{
    TWorkbookRow row;
    if (Number++ == 0) {
        for (std::size_t col = 0; col < row.size(); ++col)
            row[col] = Text(InvoiceHeaders()[col]);
    } else {
        const TInvoice invoice = DrawInvoice(Random);
        row[0] = Text("FA-" + ZeroPadded(invoice.Year, 4) + "-" + ZeroPadded(Number - 1, 6));
        row[1] = Date(invoice);
        row[2] = Text(Random.Pick(CompanyNames()));
        if (!Random.Percent(10))
            row[3] = Text(Contact(Random));
        row[4] = Text(Random.Pick(Cities()));
        row[5] = Text(ZeroPadded(Random.Between(1000, 98999), 5));
        if (!Random.Percent(5))
            row[6] = {true, TWorkbookFormat::General, ZeroPadded(invoice.Quantity, 1), {}, ZeroPadded(invoice.Quantity, 1)};
        row[7] = Amount(invoice.UnitCents, TWorkbookFormat::Amount);
        row[8] = Amount(invoice.NetCents, TWorkbookFormat::Amount);
        row[9] = Rate(invoice.VatPerMille);
        row[10] = Amount(invoice.GrossCents, TWorkbookFormat::Euros);
        if (!Random.Percent(55))
            row[11] = Text(Random.Pick(InvoiceComments()));
    }
    for (const TWorkbookCell& cell : row)
        ShownBytes_ += cell.Shown.size();
    return row;
}

void AppendXmlText(std::string& xml, std::string_view text, bool cdata)
{
    if (cdata) {
        if (text.find("]]>") != std::string_view::npos)
            throw std::invalid_argument("no CDATA section can hold ]]>");
        xml.append("<![CDATA[").append(text).append("]]>");
        return;
    }
    for (const char c : text) {
        switch (c) {
        case '&': xml += "&amp;"; break;
        case '<': xml += "&lt;"; break;
        case '>': xml += "&gt;"; break;
        default: xml += c;
        }
    }
}

std::size_t LastValueColumn(const TWorkbookRow& row)
{
    std::size_t col = row.size() - 1;
    while (col > 0 && row[col].Value.empty())
        --col;
    return col;
}

}  // namespace tabulor::bench
