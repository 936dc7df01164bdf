#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/ods_file.h"
#include "tests/testkit/starting_settings.h"
#include "tests/testkit/xlsx_file.h"
#include "temp_folder.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
using ::testing::ElementsAre;

const std::string OldDestination = "l'ancien tableau\r\n";

// A workbook whose one sheet holds formula cells, two of them with no stored value.
std::string XlsxWithFormulas()
{
    const std::string main = R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string package = R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    return MakeZip({
        {"_rels/.rels", package + R"(<Relationship Id="r1" Type=")" + relationships
                            + R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml", "<workbook " + main + " xmlns:r=\"" + relationships
                                + R"("><sheets><sheet name="Calculs" sheetId="1" r:id="r1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels", package + R"(<Relationship Id="r1" Type=")" + relationships
                                           + R"(/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)"},
        {"xl/worksheets/sheet1.xml", "<worksheet " + main + "><sheetData><row r=\"1\">"
                                         R"(<c r="A1"><f>B1*2</f></c><c r="B1"><f>1+1</f><v>2</v></c>)"
                                         R"(<c r="C1" t="str"><f>"x"</f></c><c r="D1"><v>7</v></c>)"
                                         "</row></sheetData></worksheet>"},
    });
}

class WorkbookRun : public ::testing::Test {
protected:
    // Runs with the source's bytes in a file of the given name and the old bytes in the destination.
    TConversionReport Run(std::string_view source, TConversionSettings settings, const std::string& name = "source.xlsx")
    {
        WriteFile(Folder / name, source);
        WriteFile(Folder / "result.html", OldDestination);
        settings.SourceFileName = Folder / name;
        settings.DestFileName = Folder / "result.html";
        return RunConversion(settings);
    }
    std::vector<std::string> FolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.Path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    TTempFolder Folder;
};

// Whatever its name, encoding and separator, a zip archive is read as a workbook.
TEST_F(WorkbookRun, AWorkbookIsReadByItsContent)
{
    const std::string xlsx = MakeXlsx({{"Cachée", true, {{"caché"}}, {}},
                                       {"Ventes", false, {{"Titre", "", ""}, {"a", "b", "c"}}, {"A1:C1"}}});
    TConversionSettings settings = StartingSettings();
    settings.OutputKind = okXhtmlDocument;
    settings.SourceEncoding = TSourceEncoding::Windows1252;
    settings.FieldSeparator = TFieldSeparator::Comma;
    Run(xlsx, settings, "ventes.txt");
    const std::vector<std::string> lines = SplitCrLf(ReadFile(Folder / "result.html"));
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    EXPECT_THAT(std::vector(lines.begin() + 10, lines.begin() + 14),
                ElementsAre("<table border=\"1px\">", "  <tr><th colspan=\"3\">Titre</th></tr>",
                            "  <tr><td>a</td><td>b</td><td>c</td></tr>", "</table>"));
    EXPECT_EQ(lines.back(), "</html>");
}

TEST_F(WorkbookRun, TheReportCountsFormulasWithoutAValue)
{
    const TConversionSettings settings = StartingSettings();
    EXPECT_EQ(Run(XlsxWithFormulas(), settings).FormulasWithoutValue, 2u);
    EXPECT_THAT(SplitCrLf(ReadFile(Folder / "result.html")),
                ElementsAre("<table border=\"1px\">", "  <tr><th>&nbsp;</th><th>2</th><th>&nbsp;</th><th>7</th></tr>",
                            "</table>"));
    EXPECT_EQ(Run(MakeOds({{"Feuille", false, {{"x"}}, {}}}), settings, "source.ods").FormulasWithoutValue, 0u);
    EXPECT_EQ(Run("a\tb", settings, "source.txt").FormulasWithoutValue, 0u);
}

#ifdef TABULOR_HIDDEN_WORKBOOKS_COMMAND
// A sheet filtered and folded as a user leaves it, written by the libraries programs write
// workbooks with: the table holds what the sheet shows, the header count counts shown rows, a
// merged comment whose first row is hidden keeps its text, and keeping the hidden rows and
// columns gives the table of the same sheet with nothing hidden.
TEST_F(WorkbookRun, HiddenRowsAndColumnsAreLeftOut)
{
    const std::string command = TABULOR_HIDDEN_WORKBOOKS_COMMAND " '" + Folder.Path.string() + "'";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "no Python with openpyxl and odfpy";
    const std::string cell = "<td>&nbsp;</td>";
    const std::string shownTable = "<table border=\"1px\">\r\n"
                                   "  <tr><th>R&eacute;gion</th><th>Produit</th><th>Montant</th><th>&nbsp;</th><th>Note</th></tr>\r\n"
                                   "  <tr><th>Nord</th><th>Pommes</th><th>10</th><th>&nbsp;</th><th>&nbsp;</th></tr>\r\n"
                                   "  <tr><td>Nord</td><td>Prunes</td><td>30</td>" + cell + cell + "</tr>\r\n"
                                   "  <tr><td>Total</td>" + cell + "<td>100</td>" + cell + cell + "</tr>\r\n"
                                   "  <tr>" + cell + "<td colspan=\"2\">Commentaire</td>" + cell + cell + "</tr>\r\n"
                                   "  <tr><td>Fin</td>" + cell + cell + cell + cell + "</tr>\r\n"
                                   "</table>\r\n";
    TConversionSettings settings = StartingSettings();
    settings.TitleRows = 2;
    for (const std::string format : {".xlsx", ".ods"}) {
        const std::string hidden = ReadFile(Folder / ("hidden" + format));
        const TConversionReport report = Run(hidden, settings, "source" + format);
        EXPECT_EQ(ReadFile(Folder / "result.html"), shownTable) << format;
        EXPECT_EQ(report.HiddenRows, 5u) << format;
        EXPECT_EQ(report.HiddenCols, 3u) << format;

        TConversionSettings keeping = settings;
        keeping.KeepHidden = true;
        const TConversionReport kept = Run(hidden, keeping, "source" + format);
        const std::string keptTable = ReadFile(Folder / "result.html");
        Run(ReadFile(Folder / ("shown" + format)), settings, "source" + format);
        EXPECT_EQ(keptTable, ReadFile(Folder / "result.html")) << format;
        EXPECT_EQ(kept.HiddenRows + kept.HiddenCols, 0u) << format;
    }
}
#endif

// Each error names the file, or the sheet, and leaves the destination as it was, alone beside the source.
TEST_F(WorkbookRun, ErrorsKeepTheDestination)
{
    std::vector<std::vector<std::string>> tall(4000);
    tall.front() = {"A1"};
    tall.back().resize(16384);
    tall.back().back() = "XFD4000";
    const std::string xlsx = MakeXlsx({{"Ventes", false, {{"a"}}, {}}});
    std::string cut = xlsx;
    cut[cut.size() / 2] ^= 0x55;
    const std::string path = Shown(Folder / "source.xlsx");
    const struct {
        const char* Name;
        std::string Source;
        std::string SheetName;
        std::string Outcome;
    } cases[] = {
        {"damaged", cut, "", "Le fichier \"" + path + "\" n'est pas un classeur valide"},
        {"cut short", xlsx.substr(0, xlsx.size() - 30), "", "Le fichier \"" + path + "\" n'est pas un classeur valide"},
        {"compound file", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'), "",
         "Le fichier \"" + path
             + "\" est un classeur .xls ou .xlsb, ou protégé par un mot de passe : enregistrez-le au format .xlsx ou "
               ".ods sans mot de passe"},
        {"missing sheet", xlsx, "Stock", "Le classeur \"" + path + "\" n'a pas de feuille « Stock »"},
        {"too large", MakeXlsx({{"Grande", false, tall, {}}}), "",
         "La feuille « Grande » est trop grande pour un tableau : 4000 lignes sur 16384 colonnes"},
    };
    for (const auto& c : cases) {
        TConversionSettings settings = StartingSettings();
        settings.SheetName = c.SheetName;
        EXPECT_EQ(Outcome([&] { Run(c.Source, settings); }), "EWorkbookError: " + c.Outcome) << c.Name;
        EXPECT_EQ(ReadFile(Folder / "result.html"), OldDestination) << c.Name;
        EXPECT_THAT(FolderNames(), ElementsAre("result.html", "source.xlsx")) << c.Name;
    }
}

}  // namespace
