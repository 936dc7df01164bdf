// One sheet, any cells a spreadsheet can save in every form (no tab, line end or NUL in a cell),
// written as Windows-1252 or UTF-8 tab text, UTF-16 Unicode text of either byte order and CSV
// with semicolons or commas: each form gives the same table, byte for byte, through one block and
// through many.
//
// Input: the settings (see TFuzzInput::TakeSettings), the output kind and whether cells are tied
// to their headers (a byte), then the cells: a tab ends a cell, a line end a row.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "properties.h"
#include "tests/testkit/sheet_forms.h"

using namespace tabulor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::TFuzzInput input(data, size);
    TConversionSettings settings;
    static_cast<TTableSettings&>(settings) = input.TakeSettings(fuzz::TTextKind::AnyBytes);
    const unsigned char choices = input.TakeByte();
    settings.OutputKind = static_cast<TOutputKind>(choices % 4);
    settings.LinkHeaders = (choices & 4) != 0;
    const testkit::TSheet sheet = testkit::SheetOfText(input.Remainder());

    std::string expected;
    for (const testkit::TSheetForm& form : testkit::SheetForms) {
        settings.SourceEncoding = form.ReadAs;
        settings.FieldSeparator = form.Separator;
        const std::string bytes = testkit::WriteSheet(sheet, form);
        const std::string table = testkit::ConvertInMemory(bytes, settings);
        if (&form == &testkit::SheetForms.front())
            expected = table;
        fuzz::Require(table == expected, form.Name, table);
        fuzz::Require(testkit::ConvertInMemory(bytes, settings, fuzz::ManyBlocksSize(bytes)) == table,
                      "one block and many give the same table", bytes);
    }
    return 0;
}
