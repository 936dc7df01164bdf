#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/testkit/sheet_forms.h"
#include "tests/testkit/starting_settings.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;

// Cells drawn mostly from what makes forms differ: separators, quotes, markup, accents, the
// euro sign, the bytes Windows-1252 leaves unassigned, a leading quote, spaces.
TSheet RandomSheet(std::mt19937& random)
{
    static const std::string pieces[] = {"a", "Z", "7", " ", ";", ",", "\"", "\"\"", "<", "&", ">",
                                         "\xE9", "\x80", "\x81", "\x9F", "\xA0", "\xFF", "\x8B", "\x01"};
    TSheet sheet(random() % 6);
    for (auto& row : sheet) {
        row.resize(1 + random() % 5);
        for (auto& cell : row) {
            for (std::size_t length = random() % 5; length > 0; --length)
                cell += pieces[random() % std::size(pieces)];
        }
    }
    return sheet;
}

TEST(SheetForms, EveryFormOfASheetGivesTheSameTableInAnyBlocks)
{
    std::mt19937 random(2024);
    for (int sheetIndex = 0; sheetIndex < 300; ++sheetIndex) {
        const TSheet sheet = RandomSheet(random);
        TConversionSettings settings = StartingSettings();
        settings.TitleCols = static_cast<int>(random() % 3);
        settings.OutputKind = static_cast<TOutputKind>(random() % 3);
        std::string expected;
        for (const TSheetForm& form : SheetForms) {
            settings.SourceEncoding = form.ReadAs;
            settings.FieldSeparator = form.Separator;
            const std::string bytes = WriteSheet(sheet, form);
            const std::string table = ConvertInMemory(bytes, settings);
            if (expected.empty())
                expected = table;
            ASSERT_EQ(table, expected) << form.Name << "\n" << SheetText(sheet);
            // Each form also in small blocks, of a size that changes from form to form and sheet to sheet.
            static constexpr std::size_t smallSizes[] = {1, 3, 17};
            const auto turn = static_cast<std::size_t>(sheetIndex + (&form - SheetForms.data()));
            const std::size_t blockSize = smallSizes[turn % std::size(smallSizes)];
            ASSERT_EQ(ConvertInMemory(bytes, settings, blockSize), expected)
                << form.Name << " in " << blockSize << "-byte blocks\n" << SheetText(sheet);
        }
    }
}

}  // namespace
