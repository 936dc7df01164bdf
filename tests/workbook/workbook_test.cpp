#include "workbook/workbook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
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
                    EXPECT_EQ(fault.Kind, EWorkbookFault::MissingSheet);
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
    const struct {
        const char* What;
        std::string File;
        EWorkbookFault::TKind Kind;
    } cases[] = {
        {"compound file", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s + std::string(504, '\0'),
         EWorkbookFault::Unsupported},
        {"text", "Nom\tMontant\n", EWorkbookFault::Invalid},
        {"empty", "", EWorkbookFault::Invalid},
        {"zip of something else", testkit::MakeZip({{"readme.txt", "bonjour"}}), EWorkbookFault::Invalid},
        {"damaged zip", testkit::MakeZip({{"_rels/.rels", "<a/>"}}).substr(0, 40), EWorkbookFault::Invalid},
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
