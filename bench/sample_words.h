// The vocabulary of the sample texts, already in Windows-1252.
#pragma once

#include <string>
#include <vector>

namespace tabulor::bench {

using TWords = std::vector<std::string>;

const TWords& InvoiceHeaders();   // the 12 columns' headers
const TWords& CompanyNames();     // some quoted as a spreadsheet quotes them, some with & < >
const TWords& FirstNames();
const TWords& LastNames();
const TWords& Cities();
const TWords& InvoiceComments();
const TWords& ShortCells();       // includes empty cells
const TWords& AsciiCompanyNames();
const TWords& AsciiCities();
const TWords& AsciiComments();    // includes empty cells

}  // namespace tabulor::bench
