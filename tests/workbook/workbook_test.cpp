#include "workbook/workbook.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/testkit/ods_file.h"
#include "tests/testkit/xlsx_file.h"
#include "tests/testkit/zip_file.h"
#include "workbook/workbook_fault.h"

namespace tabulor {
namespace {

using namespace std::string_literals;

TEST(SourceKindOf, ReadsTheFirstBytesOnly)
{
    const struct {
        std::string FirstBytes;
        TSourceKind Kind;
    } cases[] = {
        {"PK\x03\x04\x14\x00\x00\x00", TSourceKind::Workbook},
        {"PK\x03\x04", TSourceKind::Workbook},
        {"PK\x03", TSourceKind::Text},
        {"PK\x05\x06"s + std::string(18, '\0'), TSourceKind::Text},  // an empty archive holds no sheet
        {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", TSourceKind::CompoundFile},
        {"\xD0\xCF\x11\xE0\xA1\xB1\x1A", TSourceKind::Text},
        {"", TSourceKind::Text},
        {"\xFF\xFEP\0K\0", TSourceKind::Text},
        {"Nom\tMontant", TSourceKind::Text},
    };
    for (const auto& test : cases)
        EXPECT_EQ(SourceKindOf(test.FirstBytes), test.Kind) << test.FirstBytes;
}

// A file that cannot be read yet is told by its extension, whose letters compare in ASCII case
// only, as package names do: a look-alike that Unicode folds to the same letters is no workbook's.
TEST(IsWorkbookExtension, TheThreeInAnyAsciiCase)
{
    for (const std::string_view extension : {".xlsx", ".XLSM", ".Ods"})
        EXPECT_TRUE(IsWorkbookExtension(extension)) << extension;
    // The last ends in U+017F, a long s, which Unicode folds to an s.
    for (const std::string_view extension : {".xls", ".xlsb", ".odsx", ".xlsx ", "xlsx", ".", "", ".od\xC5\xBF"})
        EXPECT_FALSE(IsWorkbookExtension(extension)) << extension;
}

// The sheet that a workbook read without a sheet name shows, and that the window's list starts on.
TEST(FirstShownSheet, TheFirstNotHiddenElseTheFirst)
{
    const struct {
        std::vector<bool> Hidden;  // each sheet's, in order
        std::optional<std::size_t> Shown;
    } cases[] = {
        {{}, std::nullopt},
        {{false}, 0},
        {{true}, 0},
        {{false, true}, 0},
        {{true, false, false}, 1},
        {{true, true, false}, 2},
        {{true, true, true}, 0},
    };
    for (const auto& test : cases) {
        std::vector<TSheetEntry> sheets;
        for (const bool hidden : test.Hidden)
            sheets.push_back({"Feuil", hidden});
        EXPECT_EQ(FirstShownSheet(sheets), test.Shown) << ::testing::PrintToString(test.Hidden);
    }
}

// Each kind of workbook, with its sheets given in the same order.
std::vector<std::string> BothKinds(const std::vector<std::pair<std::string, bool>>& sheets)
{
    std::vector<testkit::TXlsxSheet> xlsx;
    std::vector<testkit::TOdsSheet> ods;
    for (const auto& [name, hidden] : sheets) {
        xlsx.push_back({.Name = name, .Hidden = hidden, .Rows = {{name}}, .Merges = {}});
        ods.push_back({.Name = name, .Hidden = hidden, .Rows = {{name}}, .Merges = {}});
    }
    return {testkit::MakeXlsx(xlsx), testkit::MakeOds(ods)};
}

TEST(ReadSheet, TakesTheSheetNamedOrTheFirstShown)
{
    const struct {
        std::vector<std::pair<std::string, bool>> Sheets;  // name, hidden
        std::string Asked;
        std::string Read;  // empty: none of that name
    } cases[] = {
        {{{"Masquée", true}, {"Ventes", false}, {"Été", false}}, "", "Ventes"},
        {{{"Masquée", true}, {"Ventes", false}, {"Été", false}}, "Été", "Été"},
        {{{"Masquée", true}, {"Ventes", false}, {"Été", false}}, "été", ""},
        {{{"Une", true}, {"Deux", true}}, "", "Une"},
    };
    for (const auto& test : cases) {
        for (const std::string& file : BothKinds(test.Sheets)) {
            const bool ods = file.find("mimetype") != std::string::npos;
            SCOPED_TRACE(test.Asked + (ods ? " in .ods" : " in .xlsx"));
            // The readers' tests own the names and states listed; this checks the dispatch.
            EXPECT_EQ(ListSheets(file).size(), test.Sheets.size());
            if (test.Read.empty()) {
                try {
                    ReadSheet(file, test.Asked);
                    ADD_FAILURE() << "read";
                } catch (const EWorkbookFault& fault) {
                    EXPECT_EQ(fault.Kind, EWorkbookFault::TKind::MissingSheet);
                    EXPECT_EQ(fault.Sheet, test.Asked);
                }
            } else {
                const TSheet sheet = ReadSheet(file, test.Asked);
                ASSERT_EQ(sheet.Cells().size(), 1u);
                EXPECT_EQ(sheet.Cells()[0].Text, test.Read);  // each sheet holds its own name
            }
        }
    }
}

TEST(ReadSheet, RefusesWhatIsNoWorkbookItReads)
{
    using enum EWorkbookFault::TKind;
    const struct {
        const char* What;
        std::string File;
        EWorkbookFault::TKind Kind;
    } cases[] = {
        {"compound file", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s + std::string(504, '\0'), Unsupported},
        {"text", "Nom\tMontant\n", Invalid},
        {"empty", "", Invalid},
        {"zip of something else", testkit::MakeZip({{"readme.txt", "bonjour"}}), Invalid},
        {"damaged zip", testkit::MakeZip({{"_rels/.rels", "<a/>"}}).substr(0, 40), Invalid},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.What);
        const std::function<void()> calls[] = {
            [&] { ListSheets(test.File); },
            [&] { ReadSheet(test.File, ""); },
            [&] { ReadSheet(test.File, "Feuil1"); },
        };
        for (const auto& call : calls) {
            try {
                call();
                ADD_FAILURE() << "accepted";
            } catch (const EWorkbookFault& fault) {
                EXPECT_EQ(fault.Kind, test.Kind);
            }
        }
    }
}

}  // namespace
}  // namespace tabulor
