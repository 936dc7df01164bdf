// Whole documents from RunConversion, checked by the standard validators: HTML 4.0 Strict and
// XHTML 1.1 against the W3C DTDs, resolved offline through the catalogs that Debian's
// w3c-sgml-lib ships beside them; HTML5 by the Nu HTML checker.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/conversion.h"
#include "tests/core/document_checks.h"
#include "tests/testkit/starting_settings.h"

#ifndef TABULOR_W3C_DTD_DIR
#define TABULOR_W3C_DTD_DIR "/usr/share/xml/w3c-sgml-lib/schema/dtd"
#endif

namespace {

namespace fs = std::filesystem;
using namespace tabulor::document_checks;
using tabulor::TConversionSettings;
using tabulor::TOutputKind;

const fs::path DtdDir = TABULOR_W3C_DTD_DIR;
// Maps "-//W3C//DTD HTML 4.0//EN" to REC-html40-19980424/strict.dtd and names the HTML 4 SGML
// declaration.
const fs::path SgmlCatalog = DtdDir / "sgml.soc";
// Maps "-//W3C//DTD XHTML 1.1//EN" to REC-xhtml11-20101123/xhtml11.dtd, so the relative system
// identifier "xhtml11.dtd" is never looked for beside the document.
const fs::path XmlCatalog = DtdDir / "catalog.xml";
const fs::path NuChecker = ToolsDir / "node_modules" / "vnu-jar" / "build" / "dist" / "vnu.jar";

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

void PrintTo(const DocumentFormat& format, std::ostream* os) { *os << format.name; }

class DocumentValidation : public DocumentFolder {
protected:
    void SetUp() override
    {
        for (const char* tool : {"onsgmls", "xmllint"})
            ASSERT_TRUE(HasCommand(tool))
                << tool << " is not installed (Debian packages opensp and libxml2-utils)";
        for (const fs::path& catalog : {SgmlCatalog, XmlCatalog})
            ASSERT_TRUE(fs::is_regular_file(catalog))
                << catalog << " is missing (Debian package w3c-sgml-lib)";
        DocumentFolder::SetUp();
    }
};

class ConvertedDocument
    : public DocumentValidation,
      public testing::WithParamInterface<std::tuple<SourceCase, OptionsCase, DocumentFormat>> {};

TEST_P(ConvertedDocument, IsValid)
{
    const auto& [source, options, format] = GetParam();
    const fs::path document = Convert(source, options, format.kind, options.destName);
    const ToolResult result = format.validate(document);
    EXPECT_TRUE(result.exitCode == 0 && result.output.empty())
        << "exit code " << result.exitCode << "\n" << result.output << "--- document ---\n"
        << ReadFile(document);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ConvertedDocument,
    testing::Combine(testing::ValuesIn(Sources), testing::ValuesIn(Options), testing::ValuesIn(Formats)),
    [](const testing::TestParamInfo<ConvertedDocument::ParamType>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name + "_" +
               std::get<2>(info.param).name;
    });

// The empty-cell text goes out verbatim, which lets a user's own markup through: here an element
// no DTD declares, which each validator must report, or the checks above prove nothing.
TEST_F(DocumentValidation, EachValidatorRejectsAnUnknownElement)
{
    TConversionSettings settings = tabulor::testkit::StartingSettings();
    settings.EmptyCellText = "<inconnu>?</inconnu>";
    for (const DocumentFormat& format : Formats) {
        const fs::path document = Convert("a\t\tb\r\n", settings, format.kind, "tableau.html");
        const ToolResult result = format.validate(document);
        std::string lowered = result.output;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_NE(result.exitCode, 0) << format.name << "\n" << result.output;
        EXPECT_NE(lowered.find("inconnu"), std::string::npos)
            << format.name << " did not name the unknown element:\n" << result.output;
    }
}

using Html5Validation = DocumentFolder;

// Every HTML5 document of even rows, checked in one run of the Nu HTML checker (Java starts
// slowly), which must say nothing of it: a warning or a note fails as an error does.
TEST_F(Html5Validation, NuCheckerSaysNothingOfEvenTables)
{
    if (!HasCommand("java"))
        GTEST_SKIP() << "java is not installed (Debian package default-jre-headless)";
    if (!fs::is_regular_file(NuChecker))
        GTEST_SKIP() << NuChecker << " is missing (npm ci --ignore-scripts in " << ToolsDir << ")";

    std::vector<fs::path> documents;
    for (const SourceCase& source : Sources) {
        if (source.shape == SheetShape::Ragged)
            continue;
        for (const OptionsCase& options : Options)
            documents.push_back(Convert(source, options, tabulor::okHtml5Document,
                                        std::string(source.name) + "_" + options.name + ".html"));
    }
    // The texts written verbatim hold bytes that only Windows-1252 gives a character to, which
    // this kind writes in UTF-8.
    TConversionSettings settings = tabulor::testkit::StartingSettings();
    LinkHeaders(settings);
    settings.CellClass = "\x9Cuvre";
    settings.EmptyCellText = "\x80\xA0\x97";
    documents.push_back(
        Convert("Titre\tPrix\r\n\x80\t\r\n", settings, tabulor::okHtml5Document, "Verbatim.html"));
    // A user's markup through the empty-cell text: an unknown element, an error, and a section
    // without a heading, a warning. The checker must report both, or its silence proves nothing.
    settings.EmptyCellText = "<inconnu>?</inconnu><section>?</section>";
    const fs::path faulty = Convert("a\tb\r\nc\t\r\n", settings, tabulor::okHtml5Document, "Faulty.html");

    std::string command = "java -jar " + ShellQuote(NuChecker) + " --format gnu --asciiquotes";
    for (const fs::path& document : documents)
        command += " " + ShellQuote(document);
    const ToolResult result = RunTool(command + " " + ShellQuote(faulty));

    const std::string unclaimed =
        ExpectLinesOfEach(result.output, documents, [](const fs::path&) { return std::string(); });
    const SplitLines lines = SplitByDocument(unclaimed, faulty);
    EXPECT_EQ(lines.others, "") << "messages on no document of the run";
    EXPECT_NE(lines.naming.find("\"inconnu\""), std::string::npos) << result.output;
    EXPECT_NE(lines.naming.find("warning: Section lacks heading"), std::string::npos) << result.output;
}

}  // namespace
