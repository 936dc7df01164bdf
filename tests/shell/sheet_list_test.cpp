#include "shell/sheet_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/temp_folder.h"
#include "tests/testkit/xlsx_file.h"

namespace tabulor {
namespace {

using testkit::TTempFolder;
using testkit::WriteFile;

constexpr std::string_view ZipStart = "PK\x03\x04\x14\0\0\0";
constexpr std::string_view CompoundFileStart = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// A file that is there is told by its bytes, whatever its name; one that is not, by its name.
TEST(SheetList, SourceViewByBytesOrExtension)
{
    const TTempFolder folder;
    std::filesystem::create_directory(folder / "dossier.xlsx");
    const struct {
        const char* Name;
        std::optional<std::string_view> Bytes;  // none: no such file
        TSourceView View;
    } cases[] = {
        {"ventes.txt", ZipStart, TSourceView::Workbook},
        {"ventes", ZipStart, TSourceView::Workbook},
        {"ancien.xls", CompoundFileStart, TSourceView::Workbook},
        {"texte.xlsx", "a\tb\r\n", TSourceView::Text},
        {"vide.ods", "", TSourceView::Text},
        {"court.xlsx", "PK\x03", TSourceView::Text},
        {"absent.XLSM", std::nullopt, TSourceView::Workbook},
        {"absent.xls", std::nullopt, TSourceView::Text},
        {"absent.xlsx.txt", std::nullopt, TSourceView::Text},
        {"xlsx", std::nullopt, TSourceView::Text},
        {"dossier.xlsx/absent", std::nullopt, TSourceView::Text},
    };
    for (const auto& c : cases) {
        const std::filesystem::path name = folder / c.Name;
        if (c.Bytes)
            WriteFile(name, *c.Bytes);
        EXPECT_EQ(SourceStateOf(name.u16string(), u"").View, c.View) << c.Name;
    }
    EXPECT_EQ(SourceStateOf(u"", u"").View, TSourceView::Text);
}

TEST(SheetList, EntriesAndTheChoiceKept)
{
    const std::vector<TSheetEntry> three = {{"Ventes", false}, {"Calculs", true}, {"Été 2024", false}};
    const std::vector<TSheetEntry> firstHidden = {{"Notes", true}, {"Ventes", false}};
    const std::vector<TSheetEntry> allHidden = {{"A", true}, {"B", true}};
    // A sheet whose own name ends like the mark, beside a hidden one: the names tell them apart.
    const std::vector<TSheetEntry> lookAlike = {{"X (masquée)", false}, {"X", true}};
    const struct {
        const std::vector<TSheetEntry>* Sheets;
        std::u16string_view Previous;
        std::size_t Selected;
    } cases[] = {
        {&three, u"", 0},
        {&three, u"Été 2024", 2},
        {&three, u"Calculs", 1},
        {&three, u"ventes", 0},
        {&firstHidden, u"", 1},
        {&firstHidden, u"Absente", 1},
        {&firstHidden, u"Notes", 0},
        {&allHidden, u"B", 1},
        {&lookAlike, u"X", 1},
        {&lookAlike, u"X (masquée)", 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const TSheetList list = MakeSheetList(*cases[i].Sheets, cases[i].Previous);
        EXPECT_EQ(list.Choices.size(), cases[i].Sheets->size()) << "case " << i;
        EXPECT_EQ(list.Selected, cases[i].Selected) << "case " << i;
    }
    EXPECT_EQ(MakeSheetList(three, u"").Choices,
              (std::vector<TSheetChoice>{{u"Ventes", u"Ventes"},
                                         {u"Calculs (masquée)", u"Calculs"},
                                         {u"Été 2024", u"Été 2024"}}));
    EXPECT_EQ(MakeSheetList(lookAlike, u"").Choices,
              (std::vector<TSheetChoice>{{u"X (masquée)", u"X (masquée)"}, {u"X (masquée)", u"X"}}));
    const TSheetList none = MakeSheetList({}, u"Ventes");
    EXPECT_TRUE(none.Choices.empty());
    EXPECT_EQ(none.Selected, 0u);
}

// The list comes from the file; one that cannot be read, for whatever reason, lists nothing.
TEST(SheetList, ReadFromTheWorkbook)
{
    const TTempFolder folder;
    WriteFile(folder / "classeur.xlsx",
              testkit::MakeXlsx({{"Janvier", false, {{"a"}}, {}}, {"Cachée", true, {{"b"}}, {}},
                                 {"Février", false, {{"c"}}, {}}}));
    const TSheetList list = SourceStateOf((folder / "classeur.xlsx").u16string(), u"Février").Sheets;
    EXPECT_EQ(list.Choices,
              (std::vector<TSheetChoice>{{u"Janvier", u"Janvier"},
                                         {u"Cachée (masquée)", u"Cachée"},
                                         {u"Février", u"Février"}}));
    EXPECT_EQ(list.Selected, 2u);

    WriteFile(folder / "abime.xlsx", std::string(ZipStart) + "abîmé");
    WriteFile(folder / "ancien.xls", std::string(CompoundFileStart) + std::string(504, '\0'));
    WriteFile(folder / "texte.txt", "a\tb\r\n");
    for (const char* name : {"abime.xlsx", "ancien.xls", "texte.txt", "absent.xlsx"})
        EXPECT_TRUE(SourceStateOf((folder / name).u16string(), u"").Sheets.Choices.empty()) << name;
    EXPECT_TRUE(SourceStateOf(folder.Path.u16string(), u"").Sheets.Choices.empty());
}

}  // namespace
}  // namespace tabulor
