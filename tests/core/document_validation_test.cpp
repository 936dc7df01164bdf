// Whole documents from RunConversion, checked by the standard validators against the W3C DTDs,
// resolved offline through the catalogs that Debian's w3c-sgml-lib ships beside them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/conversion.h"
#include "tests/testkit/starting_settings.h"
#ifdef TABULOR_BUILD_WORKBOOKS
#include "tests/testkit/xlsx_file.h"
#endif

#ifndef TABULOR_W3C_DTD_DIR
#define TABULOR_W3C_DTD_DIR "/usr/share/xml/w3c-sgml-lib/schema/dtd"
#endif

namespace {

namespace fs = std::filesystem;
using tabulor::TConversionSettings;
using tabulor::TOutputKind;

const fs::path DtdDir = TABULOR_W3C_DTD_DIR;
// Maps "-//W3C//DTD HTML 4.0//EN" to REC-html40-19980424/strict.dtd and names the HTML 4 SGML
// declaration.
const fs::path SgmlCatalog = DtdDir / "sgml.soc";
// Maps "-//W3C//DTD XHTML 1.1//EN" to REC-xhtml11-20101123/xhtml11.dtd, so the relative system
// identifier "xhtml11.dtd" is never looked for beside the document.
const fs::path XmlCatalog = DtdDir / "catalog.xml";

std::string ShellQuote(const std::string& text)
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

ToolResult RunTool(const std::string& command)
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

bool HasCommand(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

ToolResult ValidateHtml4Strict(const fs::path& document)
{
    return RunTool("onsgmls -s -c " + ShellQuote(SgmlCatalog) + " " + ShellQuote(document));
}

ToolResult ValidateXhtml11(const fs::path& document)
{
    return RunTool("XML_CATALOG_FILES=" + ShellQuote(XmlCatalog) +
                   " xmllint --noout --valid --nonet " + ShellQuote(document));
}

struct DocumentFormat {
    const char* name;
    TOutputKind kind;
    ToolResult (*validate)(const fs::path&);
};

const DocumentFormat Formats[] = {
    {"Html4Strict", tabulor::okHtmlDocument, ValidateHtml4Strict},
    {"Xhtml11", tabulor::okXhtmlDocument, ValidateXhtml11},
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class DocumentValidation : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"onsgmls", "xmllint"})
            ASSERT_TRUE(HasCommand(tool))
                << tool << " is not installed (Debian packages opensp and libxml2-utils)";
        for (const fs::path& catalog : {SgmlCatalog, XmlCatalog})
            ASSERT_TRUE(fs::is_regular_file(catalog))
                << catalog << " is missing (Debian package w3c-sgml-lib)";

        std::string pattern = (fs::temp_directory_path() / "tabulor-validation-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr) << "cannot create a temporary folder";
        dir_ = pattern;
    }

    void TearDown() override
    {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    // Converts source (the bytes of a tab-separated file) and returns the destination's path.
    fs::path Convert(const std::string& source, TConversionSettings settings, TOutputKind kind)
    {
        settings.SourceFileName = dir_ / "feuille.txt";
        settings.DestFileName = dir_ / "tableau.html";
        settings.OutputKind = kind;
        std::ofstream(settings.SourceFileName, std::ios::binary) << source;
        tabulor::RunConversion(settings);
        return settings.DestFileName;
    }

    fs::path dir_;
};

struct SourceCase {
    const char* name;
    std::string source;
    void (*adjust)(TConversionSettings&) = nullptr;  // changes to the starting settings
};

std::string ByteRange(int first, int last)
{
    std::string bytes;
    for (int b = first; b <= last; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

const SourceCase Sources[] = {
    {"Defaults", "Article\tPrix\r\nChaise\t12\r\nTable\t150\r\n"},
    {"ClassesAndHeaders", "R\xE9gion\tT1\tT2\r\nNord\t1\t2\r\nSud\t3\r\nEst\r\n",
     [](TConversionSettings& s) {
         s.TitleRows = 2;
         s.TitleCols = 1;
         s.Border = "2px";
         s.TableClass = "tableau";
         s.RowClass = "ligne";
         s.HeaderClass = "entete";
         s.CellClass = "cellule";
     }},
    {"HeadersBeyondTableWithoutBorder", "a\tb\nc\td",
     [](TConversionSettings& s) {
         s.TitleRows = 10;
         s.TitleCols = 5;
         s.Border = "";
     }},
    {"AccentedBytes", "\xC9t\xE9\t\xC0 \xE7" "a\t\xE6\xF8\xDF\r\nna\xEFve\t\xAB cit\xE9 \xBB\t\xA0\r\n"},
    {"EveryHighByte", ByteRange(0x80, 0x9F) + "\t" + ByteRange(0xA0, 0xBF) + "\r\n" +
                          ByteRange(0xC0, 0xDF) + "\t" + ByteRange(0xE0, 0xFF) + "\r\n"},
    {"EuroAmounts", "Montant\tDevise\r\n1\xA0" "234,56 \x80\t\x80\r\n-0,99\x80\t\x80\x80\r\n"},
    {"MarkupAndQuotes",
     "a&b\t<b>gras</b>\t&eacute;\r\n\"cit\xE9\"\tl'apostrophe\t\"\"\r\n&amp;\t<!-- x -->\t]]>\r\n",
     [](TConversionSettings& s) { s.TitleCols = 1; }},
    {"EmptyCells", "\t\ta\t\r\n\r\n\tb\r\n"},
    {"EmptyCellsWithoutText", "\t\ta\t\r\n\r\n\tb\r\n",
     [](TConversionSettings& s) {
         s.TitleRows = 0;
         s.EmptyCellText = "";
     }},
#ifdef TABULOR_BUILD_WORKBOOKS
    // Read by its content whatever its name: a header merged across the table, spans down and
    // across, a row covered whole that is left out, breaks and characters beyond Windows-1252.
    {"WorkbookMerges",
     tabulor::testkit::MakeXlsx({{"Feuille",
                                  false,
                                  {{"Bilan", "", ""},
                                   {"Nord", "1\xC2\xA0" "234,50 \xE2\x82\xAC", "ligne\nsuivante"},
                                   {"", "Total \xF0\x9F\x98\x80", ""},
                                   {"", "", "cach\xC3\xA9" "e"}},
                                  {"A1:C1", "A2:A4", "B3:C4"}}}),
     [](TConversionSettings& s) { s.TitleCols = 1; }},
#endif
};

void PrintTo(const SourceCase& source, std::ostream* os) { *os << source.name; }
void PrintTo(const DocumentFormat& format, std::ostream* os) { *os << format.name; }

class ConvertedDocument
    : public DocumentValidation,
      public testing::WithParamInterface<std::tuple<SourceCase, DocumentFormat>> {};

TEST_P(ConvertedDocument, IsValid)
{
    const auto& [source, format] = GetParam();
    TConversionSettings settings = tabulor::testkit::StartingSettings();
    if (source.adjust)
        source.adjust(settings);
    const fs::path document = Convert(source.source, settings, format.kind);
    const ToolResult result = format.validate(document);
    EXPECT_TRUE(result.exitCode == 0 && result.output.empty())
        << "exit code " << result.exitCode << "\n" << result.output << "--- document ---\n"
        << ReadFile(document);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ConvertedDocument, testing::Combine(testing::ValuesIn(Sources), testing::ValuesIn(Formats)),
    [](const testing::TestParamInfo<ConvertedDocument::ParamType>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

// The empty-cell text goes out verbatim, which lets a user's own markup through: here an element
// no DTD declares, which each validator must report, or the checks above prove nothing.
TEST_F(DocumentValidation, EachValidatorRejectsAnUnknownElement)
{
    TConversionSettings settings = tabulor::testkit::StartingSettings();
    settings.EmptyCellText = "<inconnu>?</inconnu>";
    for (const DocumentFormat& format : Formats) {
        const fs::path document = Convert("a\t\tb\r\n", settings, format.kind);
        const ToolResult result = format.validate(document);
        std::string lowered = result.output;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_NE(result.exitCode, 0) << format.name << "\n" << result.output;
        EXPECT_NE(lowered.find("inconnu"), std::string::npos)
            << format.name << " did not name the unknown element:\n" << result.output;
    }
}

}  // namespace
