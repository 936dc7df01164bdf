// One invoice of the sample sheets, drawn the same way for the text and the workbook sources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sample_random.h"

namespace tabulor::bench {

struct TInvoice {
    std::uint64_t Year, Month, Day, Quantity, UnitCents, NetCents, GrossCents;
    std::uint64_t VatPerMille;
    std::string_view VatText;  // as a French text export shows it: "5,5 %"
};

TInvoice DrawInvoice(TRandom& random);

// "M. François Dupré", in Windows-1252.
std::string Contact(TRandom& random);

std::string ZeroPadded(std::uint64_t value, std::size_t width);

// Units with thousands between their groups, the decimal, two digits of cents, then currency.
std::string FormatAmount(std::uint64_t cents, std::string_view thousands, char decimal,
                         std::string_view currency);

}  // namespace tabulor::bench
