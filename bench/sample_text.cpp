#include "sample_text.h"

#include <array>
#include <charconv>

#include "sample_invoice.h"
#include "sample_random.h"
#include "sample_words.h"

namespace tabulor::bench {

namespace {

class TRowWriter {
public:
    explicit TRowWriter(std::string& text) : Text(text) {}

    void Cell(std::string_view cell)
    {
        if (!First)
            Text.push_back('\t');
        First = false;
        Text.append(cell);
    }

    void Cells(const TWords& cells)
    {
        for (const std::string& cell : cells)
            Cell(cell);
    }

private:
    std::string& Text;
    bool First = true;
};

template <class TAppendRow>
std::string FillRows(std::size_t minSize, TLineEnd lineEnd, TAppendRow appendRow)
{
    // Room for the row that crosses minSize, so that even the widest rows cost one allocation.
    constexpr std::size_t LastRowRoom = std::size_t{256} << 10;
    std::string text;
    text.reserve(minSize + LastRowRoom);
    const std::string_view end = LineEndBytes(lineEnd);
    for (std::size_t row = 0; text.size() < minSize; ++row) {
        appendRow(text, row);
        text.append(end);
    }
    return text;
}

}  // namespace

std::string ZeroPadded(std::uint64_t value, std::size_t width)
{
    std::array<char, 24> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    (void)error;  // 24 digits hold any 64-bit value
    const auto length = static_cast<std::size_t>(end - digits.data());
    std::string text(length < width ? width - length : 0, '0');
    return text.append(digits.data(), length);
}

std::string FormatAmount(std::uint64_t cents, std::string_view thousands, char decimal,
                         std::string_view currency)
{
    const std::string units = ZeroPadded(cents / 100, 1);
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0 && (units.size() - i) % 3 == 0)
            text.append(thousands);
        text.push_back(units[i]);
    }
    text.push_back(decimal);
    text.append(ZeroPadded(cents % 100, 2));
    return text.append(currency);
}

namespace {

// French format as Excel saves it: no-break space between thousands, decimal comma, then " €";
// or ASCII "1234.56".
std::string Euros(std::uint64_t cents) { return FormatAmount(cents, "\xA0", ',', " \x80"); }
std::string AsciiAmount(std::uint64_t cents) { return FormatAmount(cents, "", '.', ""); }

}  // namespace

TInvoice DrawInvoice(TRandom& random)
{
    struct TVat { std::uint64_t PerMille; std::string_view Text; };
    static constexpr std::array<TVat, 4> Rates = {{{200, "20 %"}, {100, "10 %"}, {55, "5,5 %"}, {21, "2,1 %"}}};
    TInvoice invoice{};
    invoice.Year = random.Between(2019, 2024);
    invoice.Month = random.Between(1, 12);
    invoice.Day = random.Between(1, 28);
    invoice.Quantity = random.Percent(80) ? random.Between(1, 12) : random.Between(13, 2500);
    invoice.UnitCents = random.Percent(70) ? random.Between(50, 99999) : random.Between(100000, 2500000);
    invoice.NetCents = invoice.Quantity * invoice.UnitCents;
    const TVat& vat = Rates[random.Below(Rates.size())];
    invoice.GrossCents = invoice.NetCents + invoice.NetCents * vat.PerMille / 1000;
    invoice.VatPerMille = vat.PerMille;
    invoice.VatText = vat.Text;
    return invoice;
}

std::string Contact(TRandom& random)
{
    std::string contact = random.Percent(50) ? "M. " : "Mme ";
    return contact.append(random.Pick(FirstNames())).append(" ").append(random.Pick(LastNames()));
}

namespace {

void AppendInvoiceRow(std::string& text, TRandom& random, std::size_t number)
{
    const TInvoice invoice = DrawInvoice(random);
    TRowWriter row(text);
    row.Cell("FA-" + ZeroPadded(invoice.Year, 4) + "-" + ZeroPadded(number, 6));
    row.Cell(ZeroPadded(invoice.Day, 2) + "/" + ZeroPadded(invoice.Month, 2) + "/" + ZeroPadded(invoice.Year, 4));
    row.Cell(random.Pick(CompanyNames()));
    row.Cell(random.Percent(10) ? std::string() : Contact(random));
    row.Cell(random.Pick(Cities()));
    row.Cell(ZeroPadded(random.Between(1000, 98999), 5));
    row.Cell(random.Percent(5) ? std::string() : ZeroPadded(invoice.Quantity, 1));
    row.Cell(Euros(invoice.UnitCents));
    row.Cell(Euros(invoice.NetCents));
    row.Cell(invoice.VatText);
    row.Cell(Euros(invoice.GrossCents));
    row.Cell(random.Percent(55) ? std::string() : random.Pick(InvoiceComments()));
}

void AppendAsciiRow(std::string& text, TRandom& random, std::size_t number)
{
    const TInvoice invoice = DrawInvoice(random);
    TRowWriter row(text);
    row.Cell("INV-" + ZeroPadded(number, 7));
    row.Cell(ZeroPadded(invoice.Year, 4) + "-" + ZeroPadded(invoice.Month, 2) + "-" + ZeroPadded(invoice.Day, 2));
    row.Cell(random.Pick(AsciiCompanyNames()));
    row.Cell(random.Pick(AsciiCities()));
    row.Cell(ZeroPadded(random.Between(1000, 98999), 5));
    row.Cell(ZeroPadded(invoice.Quantity, 1));
    row.Cell(AsciiAmount(invoice.UnitCents));
    row.Cell(AsciiAmount(invoice.NetCents));
    row.Cell(invoice.VatText.substr(0, invoice.VatText.find(' ')));
    row.Cell(AsciiAmount(invoice.GrossCents));
    row.Cell("EUR");
    row.Cell(random.Pick(AsciiComments()));
}

}  // namespace

std::string_view LineEndBytes(TLineEnd lineEnd)
{
    switch (lineEnd) {
    case TLineEnd::Lf: return "\n";
    case TLineEnd::Cr: return "\r";
    case TLineEnd::CrLf: break;
    }
    return "\r\n";
}

std::string MakeBusinessText(std::size_t minSize, std::uint64_t seed, TLineEnd lineEnd)
{
    TRandom random(seed);
    return FillRows(minSize, lineEnd, [&](std::string& text, std::size_t row) {
        if (row == 0)
            TRowWriter(text).Cells(InvoiceHeaders());
        else
            AppendInvoiceRow(text, random, row);
    });
}

std::string MakeShortCellText(std::size_t minSize, std::size_t cellsPerRow, std::uint64_t seed,
                              TLineEnd lineEnd)
{
    TRandom random(seed);
    return FillRows(minSize, lineEnd, [&](std::string& text, std::size_t) {
        TRowWriter row(text);
        for (std::size_t cell = 0; cell < cellsPerRow; ++cell)
            row.Cell(random.Pick(ShortCells()));
    });
}

std::string MakeAsciiText(std::size_t minSize, std::uint64_t seed, TLineEnd lineEnd)
{
    TRandom random(seed);
    return FillRows(minSize, lineEnd, [&](std::string& text, std::size_t row) {
        AppendAsciiRow(text, random, row + 1);
    });
}

}  // namespace tabulor::bench
