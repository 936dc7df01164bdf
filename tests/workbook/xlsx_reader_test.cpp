#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/testkit/xlsx_file.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx/xlsx_reader.h"

namespace {

using namespace tabulor;
using testkit::TZipEntry;
using xlsx::ListXlsxSheets;
using xlsx::ReadXlsxSheet;
using TGrid = std::vector<std::vector<std::string>>;

const std::string Main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string Relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const std::string StrictMain = "http://purl.oclc.org/ooxml/spreadsheetml/main";
const std::string StrictRelationships = "http://purl.oclc.org/ooxml/officeDocument/relationships";
const std::string Mc = "http://schemas.openxmlformats.org/markup-compatibility/2006";

struct TRelationship {
    std::string Id;
    std::string Kind;  // "worksheet", "styles"…, after the namespace
    std::string Target;
};

std::string RelationshipsPart(const std::vector<TRelationship>& list, const std::string& root = Relationships)
{
    std::string xml = R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    for (const TRelationship& r : list)
        xml += "<Relationship Id=\"" + r.Id + "\" Type=\"" + root + "/" + r.Kind + "\" Target=\"" + r.Target + "\"/>";
    return xml + "</Relationships>";
}

// The parts a spreadsheet program writes for one sheet "Feuil1", the worksheet's content given.
std::vector<TZipEntry> OneSheet(const std::string& sheetContent, const std::string& workbookPr = "")
{
    const std::string styles = "<styleSheet xmlns=\"" + Main + "\"><numFmts count=\"4\">"
        R"(<numFmt numFmtId="164" formatCode="#,##0.00\ &quot;€&quot;"/>)"
        R"(<numFmt numFmtId="165" formatCode=";;;&quot;«&quot;@&quot;»&quot;"/>)"
        R"(<numFmt numFmtId="166" formatCode="d\ mmmm\ yyyy"/>)"
        R"(<numFmt numFmtId="3" formatCode="0.0"/></numFmts>)"
        R"(<cellStyleXfs count="1"><xf numFmtId="49"/></cellStyleXfs><cellXfs count="9">)"
        R"(<xf numFmtId="0" xfId="0"/><xf numFmtId="14" applyNumberFormat="1"/><xf numFmtId="164"/>)"
        R"(<xf numFmtId="4"/><xf numFmtId="165"/><xf numFmtId="10"/><xf numFmtId="166"/><xf numFmtId="22"/>)"
        R"(<xf numFmtId="3"><alignment wrapText="1"/></xf></cellXfs></styleSheet>)";
    const std::string strings = "<sst xmlns=\"" + Main + "\" count=\"4\" uniqueCount=\"4\">"
        "<si><t>Prix</t></si>"
        R"(<si><r><t>Tō</t></r><r><rPr><b/></rPr><t xml:space="preserve">kyō </t></r>)"
        R"(<rPh sb="0" eb="2"><t>トウキョウ</t></rPh><phoneticPr fontId="1"/></si>)"
        "<si><t>_x005F_x0041_ et _x0041__xD83D__xDE00_</t></si>"
        "<si><t>a_x000D_\nb_x000D_c</t></si></sst>";
    return {
        {"[Content_Types].xml", R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)"},
        {"_rels/.rels", RelationshipsPart({{"rId1", "officeDocument", "xl/workbook.xml"}})},
        {"xl/workbook.xml", "<workbook xmlns=\"" + Main + "\" xmlns:r=\"" + Relationships + "\">" + workbookPr
                                + R"(<sheets><sheet name="Feuil1" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         RelationshipsPart({{"rId1", "worksheet", "worksheets/sheet1.xml"},
                            {"rId2", "styles", "styles.xml"},
                            {"rId3", "sharedStrings", "sharedStrings.xml"}})},
        {"xl/styles.xml", styles},
        {"xl/sharedStrings.xml", strings},
        {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + Main + "\" xmlns:mc=\"" + Mc
                                         + "\">" + sheetContent + "</worksheet>"},
    };
}

TSheet Read(const std::vector<TZipEntry>& entries, std::string_view sheet = "Feuil1")
{
    const std::string bytes = testkit::MakeZip(entries);
    return ReadXlsxSheet(zip::TZipArchive(bytes), sheet);
}

TGrid GridOf(const TSheet& sheet)
{
    TGrid grid(sheet.Rows(), std::vector<std::string>(sheet.Cols()));
    for (const TSheet::TCell& cell : sheet.Cells())
        grid[cell.Row][cell.Col] = cell.Text;
    return grid;
}

TGrid ReadGrid(const std::string& sheetData, const std::string& workbookPr = "")
{
    return GridOf(Read(OneSheet("<sheetData>" + sheetData + "</sheetData>", workbookPr)));
}

EWorkbookFault::TKind FaultOf(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EWorkbookFault& fault) {
        return fault.Kind;
    }
    ADD_FAILURE() << "no fault";
    return EWorkbookFault::TKind::TooLarge;
}

TEST(XlsxReader, ShowsEachCellTypeByItsStyle)
{
    const struct {
        std::string cell;  // A1 in a row
        std::string text;
    } cases[] = {
        {R"(<c r="A1" t="s"><v>0</v></c>)", "Prix"},
        {R"(<c r="A1" t="s"><v>1</v></c>)", "Tōkyō "},
        {R"(<c r="A1" t="s"><v>2</v></c>)", "_x0041_ et A😀"},
        {R"(<c r="A1" t="s"><v>3</v></c>)", "a\nb\nc"},
        {R"(<c r="A1" t="s" s="4"><v>0</v></c>)", "«Prix»"},
        {R"(<c r="A1" t="inlineStr"><is><r><t>ab</t></r><r><t>c_x000D__x000A_d</t></r><rPh><t>x</t></rPh></is></c>)",
         "abc\nd"},
        {R"(<c r="A1" t="inlineStr"><is><t>seul</t></is></c>)", "seul"},
        {R"(<c r="A1" t="str"><f>B1&amp;"_"</f><v>total_x005F_</v></c>)", "total_"},
        {R"(<c r="A1" t="b"><v>1</v></c>)", "VRAI"},
        {R"(<c r="A1" t="b"><f>1=2</f><v>0</v></c>)", "FAUX"},
        {R"(<c r="A1" t="e"><f>1/0</f><v>#DIV/0!</v></c>)", "#DIV/0!"},
        {R"(<c r="A1"><v>0.30000000000000004</v></c>)", "0,3"},
        {R"(<c r="A1" t="n"><v>-1.5E-3</v></c>)", "-0,0015"},
        {R"(<c r="A1" s="1"><v>45352</v></c>)", "01/03/2024"},
        {R"(<c r="A1" s="2"><v>1234.5</v></c>)", "1\u00A0234,50 €"},
        {R"(<c r="A1" s="3"><v>1234567.891</v></c>)", "1\u00A0234\u00A0567,89"},
        {R"(<c r="A1" s="5"><v>0.256</v></c>)", "25,60%"},
        {R"(<c r="A1" s="6"><v>45352</v></c>)", "1 mars 2024"},
        // A file may give a built-in id a code of its own.
        {R"(<c r="A1" s="8"><v>2.25</v></c>)", "2,3"},
        {R"(<c r="A1" s="99"><v>2.5</v></c>)", "2,5"},
        {R"(<c r="A1" t="d" s="1"><v>2024-03-01T00:00:00</v></c>)", "01/03/2024"},
        {R"(<c r="A1" t="d" s="7"><v>2024-03-01T13:45:00Z</v></c>)", "01/03/2024 13:45"},
        // Around the 29 February 1900 that the 1900 system counts.
        {R"(<c r="A1" t="d" s="1"><v>1900-02-28</v></c>)", "28/02/1900"},
        {R"(<c r="A1" t="d" s="1"><v>1900-03-01</v></c>)", "01/03/1900"},
        {R"(<c r="A1" s="1"/>)", ""},
        {R"(<c r="A1" t="s" s="1"><v>0</v></c>)", "Prix"},
    };
    for (const auto& c : cases) {
        const TGrid expected = c.text.empty() ? TGrid() : TGrid{{c.text}};
        EXPECT_EQ(ReadGrid("<row r=\"1\">" + c.cell + "</row>"), expected) << c.cell;
    }
}

TEST(XlsxReader, CountsDaysFromTheWorkbooksDateSystem)
{
    const struct {
        std::string workbookPr;
        std::string cell;
        std::string text;
    } cases[] = {
        {"", R"(<c s="1"><v>61</v></c>)", "01/03/1900"},
        {R"(<workbookPr date1904="1"/>)", R"(<c s="1"><v>0</v></c>)", "01/01/1904"},
        {R"(<workbookPr date1904="true"/>)", R"(<c s="1"><v>1</v></c>)", "02/01/1904"},
        {R"(<workbookPr date1904="false"/>)", R"(<c s="1"><v>1</v></c>)", "01/01/1900"},
        {R"(<workbookPr date1904="1"/>)", R"(<c t="d" s="1"><v>2024-03-01</v></c>)", "01/03/2024"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadGrid("<row>" + c.cell + "</row>", c.workbookPr), TGrid{{c.text}}) << c.workbookPr << c.cell;
}

TEST(XlsxReader, PlacesCellsByReferenceOrAfterThePreviousOne)
{
    const struct {
        std::string sheetData;
        TGrid grid;
    } cases[] = {
        {"<row><c><v>1</v></c><c><v>2</v></c></row><row><c r=\"C2\"><v>3</v></c><c><v>4</v></c></row>",
         {{"1", "2", "", ""}, {"", "", "3", "4"}}},
        {"<row r=\"2\"><c><v>1</v></c></row><row><c r=\"B3\"><v>2</v></c></row>", {{"", ""}, {"1", ""}, {"", "2"}}},
        {"<row r=\"2\" spans=\"2:2\"><c r=\"B2\"><v>1</v></c></row>", {{"", ""}, {"", "1"}}},
        // Formatting alone is no value, up to the grid's last cell.
        {"<row r=\"1\"><c r=\"A1\"><v>5</v></c></row><row r=\"1048576\"><c r=\"XFD1048576\" s=\"1\"/></row>", {{"5"}}},
        {"<row><c r=\"C1\"><v>5</v></c></row>", {{"", "", "5"}}},
        // Shared formulas carry their values; only formulas with none are counted.
        {"<row><c><f t=\"shared\" ref=\"A1:A2\" si=\"0\">B1*2</f><v>2</v></c><c><v>1</v></c></row>"
         "<row><c><f t=\"shared\" si=\"0\"/><v>4</v></c><c><f>1/0</f></c></row>",
         {{"2", "1"}, {"4", ""}}},
        {"<row><mc:AlternateContent><mc:Choice Requires=\"x14\"><c><v>1</v></c></mc:Choice>"
         "<mc:Fallback><c><v>2</v></c></mc:Fallback></mc:AlternateContent><c><v>3</v></c></row>",
         {{"2", "3"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadGrid(c.sheetData), c.grid) << c.sheetData;
}

TEST(XlsxReader, CountsFormulasWithoutAStoredValue)
{
    const TSheet sheet = Read(OneSheet(
        "<sheetData><row><c><f>1+1</f><v>2</v></c><c t=\"str\"><f>A1&amp;\"\"</f></c>"
        "<c><f t=\"shared\" ref=\"C1:D1\" si=\"0\">1/0</f></c><c><f t=\"shared\" si=\"0\"/></c>"
        "<c t=\"str\"><f>\"\"</f><v></v></c><c><f>E1+1</f><v></v></c></row></sheetData>"));
    EXPECT_EQ(GridOf(sheet), TGrid{{"2"}});
    EXPECT_EQ(sheet.FormulasWithoutValue(), 4u);
}

TEST(XlsxReader, ReadsMergedAreas)
{
    const TSheet sheet = Read(OneSheet(
        "<sheetData><row r=\"1\"><c><v>1</v></c></row></sheetData><mergeCells count=\"4\">"
        "<mergeCell ref=\"A1:C2\"/><mergeCell ref=\"A3:XFD4\"/><mergeCell ref=\"E6:D5\"/>"
        "<mergeCell ref=\"Z1:AB1\"/></mergeCells>"));
    std::vector<std::vector<std::uint32_t>> merges;
    for (const TCellArea& area : sheet.Merges())
        merges.push_back({area.Top, area.Left, area.Bottom, area.Right});
    EXPECT_EQ(merges, (std::vector<std::vector<std::uint32_t>>{{0, 0, 1, 2}, {2, 0, 3, 16383}, {4, 3, 5, 4}, {0, 25, 0, 27}}));
}

TEST(XlsxReader, RefusesSheetsThatBreakTheGridOrTheirTypes)
{
    const std::string cases[] = {
        "<row r=\"1048577\"><c><v>1</v></c></row>",
        "<row r=\"0\"><c><v>1</v></c></row>",
        "<row r=\"1048576\"/><row><c><v>1</v></c></row>",
        "<row r=\"1048576\"/><row/>",
        "<row><c r=\"XFE1\"><v>1</v></c></row>",
        "<row><c r=\"A1048577\"><v>1</v></c></row>",
        "<row><c r=\"A0\"><v>1</v></c></row>",
        "<row><c r=\"1A\"><v>1</v></c></row>",
        "<row><c r=\"XFD1\"><v>1</v></c><c><v>2</v></c></row>",
        "<row><c t=\"s\"><v>4</v></c></row>",
        "<row><c t=\"s\"><v>x</v></c></row>",
        "<row><c><v>1,5</v></c></row>",
        "<row><c><v>inf</v></c></row>",
        "<row><c t=\"d\"><v>2024-13-01</v></c></row>",
        "</sheetData><mergeCells><mergeCell ref=\"A1:A1048577\"/></mergeCells><sheetData>",
        "<row><c><v>1</v></c>",
    };
    for (const std::string& c : cases)
        EXPECT_EQ(FaultOf([&] { ReadGrid(c); }), EWorkbookFault::TKind::Invalid) << c;
    EXPECT_EQ(FaultOf([&] { ReadGrid("<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>"); }),
              EWorkbookFault::TKind::TooLarge);
}

struct TPackageCase {
    const char* name;
    std::vector<TZipEntry> entries;
    std::vector<TSheetEntry> sheets;
};

// Another writer's package: Strict namespaces under other prefixes, parts named and placed
// at will, absolute and relative targets.
TPackageCase StrictPackage()
{
    const std::string sheet = "<x:worksheet xmlns:x=\"" + StrictMain + "\"><x:sheetData><x:row><x:c t=\"inlineStr\">"
        "<x:is><x:t>strict</x:t></x:is></x:c></x:row></x:sheetData></x:worksheet>";
    return {"strict",
            {{"_rels/.rels", RelationshipsPart({{"d", "officeDocument", "/Contenu/Livre%20un.xml"}}, StrictRelationships)},
             {"Contenu/Livre un.xml",
              "<x:workbook xmlns:x=\"" + StrictMain + "\" xmlns:rel=\"" + StrictRelationships + "\" xmlns:mc=\""
                  + Mc + "\"><mc:AlternateContent><mc:Choice Requires=\"x15\"><x:sheets><x:sheet name=\"Choix\" "
                  "rel:id=\"a\"/></x:sheets></mc:Choice><mc:Fallback><x:sheets><x:sheet name=\"Repli\" "
                  "rel:id=\"a\"/><x:sheet name=\"Données\" rel:id=\"b\"/></x:sheets></mc:Fallback>"
                  "</mc:AlternateContent></x:workbook>"},
             {"Contenu/_rels/Livre un.xml.rels",
              RelationshipsPart({{"a", "worksheet", "../Feuilles/./un.xml"}, {"b", "worksheet", "/Feuilles/deux"}},
                                StrictRelationships)},
             {"Feuilles/un.xml", sheet},
             {"Feuilles/deux", sheet}},
            {{"Repli", false}, {"Données", false}}};
}

TPackageCase StatesPackage()
{
    std::vector<TZipEntry> entries = OneSheet("<sheetData><row><c><v>1</v></c></row></sheetData>");
    entries[2].Content = "<workbook xmlns=\"" + Main + "\" xmlns:r=\"" + Relationships + "\"><sheets>"
        R"(<sheet name="Graphique" sheetId="1" r:id="rId9"/><sheet name="Feuil1" sheetId="2" r:id="rId1"/>)"
        R"(<sheet name="Masquée" sheetId="3" state="hidden" r:id="rId1"/>)"
        R"(<sheet name="Très masquée" sheetId="4" state="veryHidden" r:id="rId1"/>)"
        R"(<sheet name="Visible" sheetId="5" state="visible" r:id="rId1"/></sheets></workbook>)";
    entries[3].Content = RelationshipsPart({{"rId1", "worksheet", "worksheets/sheet1.xml"},
                                            {"rId9", "chartsheet", "chartsheets/sheet1.xml"}});
    return {"states", entries, {{"Feuil1", false}, {"Masquée", true}, {"Très masquée", true}, {"Visible", false}}};
}

TEST(XlsxReader, ListsWorksheetsThroughThePackagesRelationships)
{
    for (const TPackageCase& c : {StrictPackage(), StatesPackage()}) {
        const std::string bytes = testkit::MakeZip(c.entries);
        const zip::TZipArchive archive(bytes);
        const std::vector<TSheetEntry> sheets = ListXlsxSheets(archive);
        ASSERT_EQ(sheets.size(), c.sheets.size()) << c.name;
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            EXPECT_EQ(sheets[i].Name, c.sheets[i].Name) << c.name;
            EXPECT_EQ(sheets[i].Hidden, c.sheets[i].Hidden) << c.name;
            EXPECT_EQ(ReadXlsxSheet(archive, sheets[i].Name).Cells().size(), 1u) << c.name;
        }
    }
}

TEST(XlsxReader, RefusesPackagesItCannotRead)
{
    const auto changed = [](std::size_t part, std::string content) {
        std::vector<TZipEntry> entries = OneSheet("<sheetData/>");
        entries[part].Content = std::move(content);
        return entries;
    };
    const std::string binaryTypes = R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Override PartName="/XL/workbook.xml" ContentType="application/vnd.ms-excel.sheet.binary.macroEnabled.main"/></Types>)";
    const struct {
        const char* name;
        std::vector<TZipEntry> entries;
        EWorkbookFault::TKind kind;
    } cases[] = {
        {"binary by name", changed(1, RelationshipsPart({{"rId1", "officeDocument", "xl/workbook.bin"}})),
         EWorkbookFault::TKind::Unsupported},
        {"binary by type", changed(0, binaryTypes), EWorkbookFault::TKind::Unsupported},
        {"no document", changed(1, RelationshipsPart({{"rId1", "extended-properties", "xl/workbook.xml"}})),
         EWorkbookFault::TKind::Invalid},
        {"target above the root", changed(1, RelationshipsPart({{"rId1", "officeDocument", "../xl/workbook.xml"}})),
         EWorkbookFault::TKind::Invalid},
        {"missing workbook", changed(1, RelationshipsPart({{"rId1", "officeDocument", "xl/livre.xml"}})),
         EWorkbookFault::TKind::Invalid},
        {"unknown sheet id", changed(3, RelationshipsPart({{"rId2", "worksheet", "worksheets/sheet1.xml"}})),
         EWorkbookFault::TKind::Invalid},
        {"missing sheet part", changed(3, RelationshipsPart({{"rId1", "worksheet", "worksheets/sheet2.xml"}})),
         EWorkbookFault::TKind::Invalid},
        {"bad styles", changed(4, "<styleSheet>"), EWorkbookFault::TKind::Invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FaultOf([&] { Read(c.entries); }), c.kind) << c.name;
    EXPECT_EQ(FaultOf([] { Read(OneSheet("<sheetData/>"), "Feuil2"); }), EWorkbookFault::TKind::MissingSheet);
}

// The test kit's workbooks are what other tests build on: each text must come back as it went in.
TEST(XlsxReader, ReadsTheTestKitsWorkbooks)
{
    const std::vector<testkit::TXlsxSheet> sheets = {
        {"Cachée", true, {{"x"}}, {}},
        {"A & <B> \"C\"", false,
         {{"", "a & b <c> \"d\"", "_x0041_"}, {"ligne\r\nsuite\rfin", "\t\x01", "été € 😀"}},
         {"B1:C1", "A2:B2"}},
    };
    const std::string bytes = testkit::MakeXlsx(sheets);
    const zip::TZipArchive archive(bytes);
    const std::vector<TSheetEntry> list = ListXlsxSheets(archive);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].Hidden);
    EXPECT_EQ(list[1].Name, sheets[1].Name);
    const TSheet sheet = ReadXlsxSheet(archive, sheets[1].Name);
    EXPECT_EQ(GridOf(sheet), (TGrid{{"", "a & b <c> \"d\"", "_x0041_"}, {"ligne\nsuite\nfin", "\t\x01", "été € 😀"}}));
    EXPECT_EQ(sheet.Merges().size(), 2u);
}

// A workbook as a general-purpose library writes it: absolute part names, inline strings, formulas
// with an empty value. Skipped where no Python with openpyxl runs.
TEST(XlsxReader, ReadsAWorkbookWrittenByOpenpyxl)
{
    const auto script = std::filesystem::path(__FILE__).parent_path() / "openpyxl_workbook.py";
    const auto file = std::filesystem::temp_directory_path() / "tabulor-xlsx-reader-openpyxl.xlsx";
    bool written = false;
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        const std::string command = std::string(python) + " \"" + script.string() + "\" \"" + file.string() + "\" 2>/dev/null";
        if ((written = std::system(command.c_str()) == 0))
            break;
    }
    if (!written)
        GTEST_SKIP() << "no Python with openpyxl";
    std::ifstream stream(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    stream.close();
    std::filesystem::remove(file);

    const zip::TZipArchive archive(bytes);
    const std::vector<TSheetEntry> sheets = ListXlsxSheets(archive);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].Name, "Ventes");
    EXPECT_FALSE(sheets[0].Hidden);
    EXPECT_EQ(sheets[1].Name, "Brouillon");
    EXPECT_TRUE(sheets[1].Hidden);

    const TSheet sales = ReadXlsxSheet(archive, "Ventes");
    EXPECT_EQ(GridOf(sales), (TGrid{{"Client", "Montant", "Date", "Payé", "Double"},
                                    {"Société Générale", "1\u00A0234,50 €", "01/03/2024", "VRAI", ""},
                                    {"Ligne 1\nLigne 2", "-42,50", "01/03/2024 13:45", "FAUX", ""},
                                    {"", "", "", "", ""},
                                    {"Total", "", "", "", ""}}));
    EXPECT_EQ(sales.FormulasWithoutValue(), 1u);
    ASSERT_EQ(sales.Merges().size(), 1u);
    EXPECT_EQ(sales.Merges()[0].Top, 4u);
    EXPECT_EQ(sales.Merges()[0].Right, 2u);
    EXPECT_EQ(GridOf(ReadXlsxSheet(archive, "Brouillon")), (TGrid{{"", ""}, {"", "0,3"}}));
}

}  // namespace
