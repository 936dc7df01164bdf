#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "tests/testkit/ods_file.h"
#include "tests/testkit/sheet_forms.h"
#include "tests/testkit/starting_settings.h"
#include "tests/testkit/xlsx_file.h"

namespace {

using namespace tabulor;

using TCells = std::vector<std::vector<std::string>>;

// UTF-8 pieces that the forms write each in their own way: accents, the euro sign, a no-break
// space, an emoji, markup, quotes, the separator, breaks, tabs and runs of spaces.
std::string RandomText(std::mt19937& random)
{
    static const std::string pieces[] = {"a", "Z", "7", " ", "  ", "\xC3\xA9", "\xC3\x87", "\xE2\x82\xAC",
                                         "\xC2\xA0", "\xC5\x92", "\xC4\x80", "\xF0\x9F\x98\x80", "&", "<", ">",
                                         "\"", ",", "\n", "\t", "_x0041_"};
    std::string text;
    for (std::size_t length = 1 + random() % 5; length > 0; --length)
        text += pieces[random() % std::size(pieces)];
    return text;
}

// A sheet whose last row and last column hold text, so that its rectangle is the whole of it.
TCells RandomCells(std::mt19937& random)
{
    TCells cells(1 + random() % 6, std::vector<std::string>(1 + random() % 6));
    for (auto& row : cells) {
        for (auto& cell : row) {
            if (random() % 3 != 0)
                cell = RandomText(random);
        }
    }
    cells.back()[random() % cells.back().size()] = RandomText(random);
    cells[random() % cells.size()].back() = RandomText(random);
    return cells;
}

// As a spreadsheet's CSV export writes it: a field in quotes, its quotes doubled, when it holds
// the separator, a quote or a line break.
std::string CsvText(const TCells& cells)
{
    std::string text;
    for (const auto& row : cells) {
        for (std::size_t col = 0; col < row.size(); ++col) {
            const std::string& cell = row[col];
            text += col > 0 ? "," : "";
            if (cell.find_first_of(",\"\n") == std::string::npos) {
                text += cell;
                continue;
            }
            text += '"';
            for (const char c : cell)
                text += c == '"' ? std::string("\"\"") : std::string(1, c);
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

// The destination's bytes for a workbook's first sheet, without a file.
std::string ConvertWorkbook(std::string_view bytes, const TConversionSettings& settings)
{
    TOutputLines output;
    AddWorkbookDocumentLines(bytes, output, settings);
    return std::string(output.Text());
}

TEST(WorkbookForms, XlsxOdsAndUtf8TextOfASheetGiveTheSameTable)
{
    std::mt19937 random(18);
    for (int sheetIndex = 0; sheetIndex < 300; ++sheetIndex) {
        const TCells cells = RandomCells(random);
        TConversionSettings settings = testkit::StartingSettings();
        settings.TitleRows = static_cast<int>(random() % 3);
        settings.TitleCols = static_cast<int>(random() % 3);
        settings.OutputKind = static_cast<TOutputKind>(random() % 4);
        settings.LinkHeaders = random() % 2 == 0;
        settings.SourceEncoding = TSourceEncoding::Utf8;
        settings.FieldSeparator = TFieldSeparator::Comma;
        const std::string csv = CsvText(cells);
        const std::string expected = testkit::ConvertInMemory(csv, settings);
        EXPECT_EQ(ConvertWorkbook(testkit::MakeXlsx({{"Feuille", false, cells, {}}}), settings), expected)
            << "xlsx of\n" << csv;
        EXPECT_EQ(ConvertWorkbook(testkit::MakeOds({{"Feuille", false, cells, {}}}), settings), expected)
            << "ods of\n" << csv;
    }
}

}  // namespace
