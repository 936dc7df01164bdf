// What the tests that hand whole documents from RunConversion to outside checkers share: the sheets
// and the options they are converted with, a folder of their own, and running a checker.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/conversion.h"
#include "tests/testkit/starting_settings.h"
#ifdef TABULOR_BUILD_WORKBOOKS
#include "tests/testkit/ods_file.h"
#include "tests/testkit/xlsx_file.h"
#endif

namespace tabulor::document_checks {

namespace fs = std::filesystem;

// The npm packages of the checkers, installed by scripts/test.sh with npm ci.
inline const fs::path ToolsDir = fs::path(TABULOR_SOURCE_DIR) / "tests" / "tools";

inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct ToolResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

inline ToolResult RunTool(const std::string& command)
{
    ToolResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        result.output = "cannot start: " + command;
        return result;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline bool HasCommand(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A checker's lines split into those that name the document (as a path or a URL ending in its
// file name) and the others.
struct SplitLines {
    std::string naming;
    std::string others;
};

inline SplitLines SplitByDocument(const std::string& output, const fs::path& document)
{
    SplitLines split;
    const std::string name = document.filename().string();
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const bool names = line.find("/" + name + "\":") != std::string::npos
                           || line.find("/" + name + ":") != std::string::npos;
        (names ? split.naming : split.others) += line + "\n";
    }
    return split;
}

// Expects the lines of a checker's output that name each of documents to be expected(document),
// showing the document where they are not; returns the lines that name none of them.
inline std::string ExpectLinesOfEach(const std::string& output, const std::vector<fs::path>& documents,
                                     std::string (*expected)(const fs::path&))
{
    std::string unclaimed = output;
    for (const fs::path& document : documents) {
        SplitLines lines = SplitByDocument(unclaimed, document);
        EXPECT_EQ(lines.naming, expected(document))
            << "--- " << document.filename().string() << " ---\n" << ReadFile(document);
        unclaimed = std::move(lines.others);
    }
    return unclaimed;
}

// What a sheet's rows are like, which tells the checkers that can read it.
enum class SheetShape {
    // Rows of unequal length, kept as they are: the HTML5 checker warns of them.
    Ragged,
    Even,
    // Even, every data cell under or beside a header cell, the first row more than one cell across
    // the table: what axe reads as a data table with its headers.
    Headed,
};

struct SourceCase {
    const char* name;
    std::string source;  // a text source's bytes or a workbook's
    void (*adjust)(TConversionSettings&) = nullptr;  // changes to the starting settings
    SheetShape shape = SheetShape::Even;
};

inline std::string ByteRange(int first, int last)
{
    std::string bytes;
    for (int b = first; b <= last; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

// Every presentation option, the verbatim texts with letters beyond ASCII (Windows-1252 bytes).
inline void Present(TConversionSettings& settings)
{
    settings.Border = "2px";
    settings.TableClass = "tableau";
    settings.RowClass = "ligne";
    settings.HeaderClass = "ent\xEAte";
    settings.CellClass = "donn\xE9" "e";
    settings.EmptyCellText = "\xAB vide \xBB";
}

#ifdef TABULOR_BUILD_WORKBOOKS
// Sales by year, then quarter, across; by region, then town, down: each year merged over its
// quarters, each region over its towns, the two corner headers down the two header rows.
inline std::vector<std::vector<std::string>> YearsOverQuarters()
{
    return {{"R\xC3\xA9gion", "Ville", "2024", "", "2025", ""},
            {"", "", "T1", "T2", "T1", "T2"},
            {"Nord", "Lille", "1\xC2\xA0" "250", "980", "1\xC2\xA0" "310", "1\xC2\xA0" "020"},
            {"", "Amiens", "640", "", "700", "655"},
            {"Sud", "Nice", "1\xC2\xA0" "100", "1\xC2\xA0" "180", "990", "1\xC2\xA0" "240"},
            {"", "Toulon", "870", "910", "", "930"}};
}
#endif

inline void PresentYearsOverQuarters(TConversionSettings& settings)
{
    Present(settings);
    settings.TitleRows = 2;
    settings.TitleCols = 2;
}

inline const SourceCase Sources[] = {
    {"Defaults", "Article\tPrix\r\nChaise\t12\r\nTable\t150\r\n", nullptr, SheetShape::Headed},
    {"ClassesAndHeaders", "R\xE9gion\tT1\tT2\r\nNord\t1\t2\r\nSud\t3\r\nEst\r\n",
     [](TConversionSettings& s) {
         s.TitleRows = 2;
         s.TitleCols = 1;
         s.Border = "2px";
         s.TableClass = "tableau";
         s.RowClass = "ligne";
         s.HeaderClass = "entete";
         s.CellClass = "cellule";
     },
     SheetShape::Ragged},
    {"HeadersBeyondTableWithoutBorder", "a\tb\nc\td",
     [](TConversionSettings& s) {
         s.TitleRows = 10;
         s.TitleCols = 5;
         s.Border = "";
     }},
    {"AccentedBytes", "\xC9t\xE9\t\xC0 \xE7" "a\t\xE6\xF8\xDF\r\nna\xEFve\t\xAB cit\xE9 \xBB\t\xA0\r\n", nullptr,
     SheetShape::Headed},
    {"EveryHighByte", ByteRange(0x80, 0x9F) + "\t" + ByteRange(0xA0, 0xBF) + "\r\n" +
                          ByteRange(0xC0, 0xDF) + "\t" + ByteRange(0xE0, 0xFF) + "\r\n"},
    {"EuroAmounts", "Montant\tDevise\r\n1\xA0" "234,56 \x80\t\x80\r\n-0,99\x80\t\x80\x80\r\n", nullptr,
     SheetShape::Headed},
    {"MarkupAndQuotes",
     "a&b\t<b>gras</b>\t&eacute;\r\n\"cit\xE9\"\tl'apostrophe\t\"\"\r\n&amp;\t<!-- x -->\t]]>\r\n",
     [](TConversionSettings& s) { s.TitleCols = 1; }, SheetShape::Headed},
    {"EmptyCells", "\t\ta\t\r\n\r\n\tb\r\n", nullptr, SheetShape::Ragged},
    {"EmptyCellsWithoutText", "\t\ta\t\r\n\r\n\tb\r\n",
     [](TConversionSettings& s) {
         s.TitleRows = 0;
         s.EmptyCellText = "";
     },
     SheetShape::Ragged},
    {"TownsPresented",
     "Ville\tHabitants\tSuperficie (km\xB2)\r\nLille\t236\xA0" "000\t34,8\r\nAmiens\t\t49,5\r\n",
     [](TConversionSettings& s) {
         Present(s);
         s.TitleCols = 1;
     },
     SheetShape::Headed},
    // Without merges, and with a blank corner under the corner headers.
    {"YearsOverQuartersText",
     "R\xE9gion\tVille\t2024\t2024\t2025\t2025\r\n\t\tT1\tT2\tT1\tT2\r\n"
     "Nord\tLille\t1\xA0" "250\t980\t1\xA0" "310\t1\xA0" "020\r\nNord\tAmiens\t640\t\t700\t655\r\n",
     PresentYearsOverQuarters, SheetShape::Headed},
#ifdef TABULOR_BUILD_WORKBOOKS
    // Read by its content whatever its name: a header merged across the table, spans down and
    // across, a row covered whole that is left out, breaks and characters beyond Windows-1252.
    {"WorkbookMerges",
     testkit::MakeXlsx({{"Feuille",
                         false,
                         {{"Bilan", "", ""},
                          {"Nord", "1\xC2\xA0" "234,50 \xE2\x82\xAC", "ligne\nsuivante"},
                          {"", "Total \xF0\x9F\x98\x80", ""},
                          {"", "", "cach\xC3\xA9" "e"}},
                         {"A1:C1", "A2:A4", "B3:C4"}}}),
     [](TConversionSettings& s) { s.TitleCols = 1; }},
    // A header cell spanning down past the header row, so that the header rows' group goes on to
    // the first row boundary that no cell crosses; and a column that a merge covers in every row.
    {"SpanPastHeaderRow",
     testkit::MakeXlsx({{"Ventes",
                         false,
                         {{"R\xC3\xA9gion", "Ville", "", "Ventes"}, {"", "Lille", "", "12"}, {"Sud", "Nice", "", "7"}},
                         {"A1:A2", "B1:C1", "B2:C2", "B3:C3"}}}),
     nullptr, SheetShape::Headed},
    // Every row in the header rows' group but for a span down to the last row: no group at all.
    {"SpanToLastRow",
     testkit::MakeXlsx(
         {{"Ventes", false, {{"R\xC3\xA9gion", "Ville"}, {"", "Lille"}, {"", "Amiens"}}, {"A1:A3"}}}),
     [](TConversionSettings& s) { s.TitleRows = 2; }, SheetShape::Headed},
    {"YearsOverQuartersXlsx",
     testkit::MakeXlsx(
         {{"Ventes", false, YearsOverQuarters(), {"A1:A2", "B1:B2", "C1:D1", "E1:F1", "A3:A4", "A5:A6"}}}),
     PresentYearsOverQuarters, SheetShape::Headed},
    {"YearsOverQuartersOds",
     testkit::MakeOds({{"Ventes",
                        false,
                        YearsOverQuarters(),
                        {{0, 0, 1, 0}, {0, 1, 1, 1}, {0, 2, 0, 3}, {0, 4, 0, 5}, {2, 0, 3, 0}, {4, 0, 5, 0}}}}),
     PresentYearsOverQuarters, SheetShape::Headed},
#endif
};

// The new options with a caption of markup characters, letters beyond Windows-1252 and a line
// break; destName, the destination file's name that the cells' ids are made from.
struct OptionsCase {
    const char* name;
    void (*adjust)(TConversionSettings&);
    const char* destName;
};

inline void LinkHeaders(TConversionSettings& settings)
{
    settings.LinkHeaders = true;
    settings.Caption =
        "Ventes \xC2\xAB 2024 \xC2\xBB & marges <brutes>\nen k\xE2\x82\xAC, \xC5\x93uvres comprises";
}

inline const OptionsCase Today{"Today", [](TConversionSettings&) {}, "tableau.html"};
// Ids from a name that starts with a digit and holds spaces, parentheses and accents.
inline const OptionsCase Linked{"Linked", LinkHeaders, "2024 \xC3\xA9t\xC3\xA9 (copie).html"};
inline const OptionsCase Options[] = {Today, Linked};

inline void PrintTo(const SourceCase& source, std::ostream* os) { *os << source.name; }
inline void PrintTo(const OptionsCase& options, std::ostream* os) { *os << options.name; }

// A fixture with a temporary folder of its own, into which it converts.
class DocumentFolder : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tabulor-documents-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr) << "cannot create a temporary folder";
        dir_ = pattern;
    }

    void TearDown() override
    {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    // Converts source, a text source's bytes or a workbook's, into the folder's file destName with
    // the starting settings as the cases change them, and returns the destination's path.
    fs::path Convert(const SourceCase& source, const OptionsCase& options, TOutputKind kind,
                     const fs::path& destName)
    {
        TConversionSettings settings = testkit::StartingSettings();
        if (source.adjust)
            source.adjust(settings);
        options.adjust(settings);
        return Convert(source.source, settings, kind, destName);
    }

    fs::path Convert(const std::string& source, TConversionSettings settings, TOutputKind kind,
                     const fs::path& destName)
    {
        settings.SourceFileName = dir_ / (destName.stem().string() + ".source");
        settings.DestFileName = dir_ / destName;
        settings.OutputKind = kind;
        std::ofstream(settings.SourceFileName, std::ios::binary) << source;
        RunConversion(settings);
        return settings.DestFileName;
    }

    fs::path dir_;
};

}  // namespace tabulor::document_checks
