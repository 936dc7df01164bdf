// Whole documents from RunConversion with their headers linked, read by axe-core in a headless
// Chromium as a screen reader's user would meet them: the HTML 4.0 and HTML5 documents as HTML,
// the XHTML 1.1 one as XHTML, since only so does a browser read its xml:lang.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "tests/core/document_checks.h"
#include "tests/testkit/starting_settings.h"

namespace {

namespace fs = std::filesystem;
using namespace tabulor::document_checks;
using tabulor::TConversionSettings;
using tabulor::TOutputKind;

const fs::path Chromium = "/usr/bin/chromium";
const fs::path AxeCheck = ToolsDir / "axe-check.js";

struct DocumentKind {
    const char* name;
    TOutputKind kind;
    const char* extension;  // what the browser parses the file as
};

const DocumentKind Kinds[] = {
    {"Html4", tabulor::okHtmlDocument, ".html"},
    {"Xhtml11", tabulor::okXhtmlDocument, ".xhtml"},
    {"Html5", tabulor::okHtml5Document, ".html"},
};

using Accessibility = DocumentFolder;

// Every document in one run of the browser, which must find no violation in any: axe's rules of
// WCAG A and AA, its best practices and its experimental rules on tables.
TEST_F(Accessibility, AxeFindsNoViolationInHeadedTables)
{
    if (!HasCommand("node"))
        GTEST_SKIP() << "node is not installed (Debian package nodejs)";
    if (!fs::exists(Chromium))
        GTEST_SKIP() << Chromium << " is missing (Debian package chromium)";
    for (const char* package : {"axe-core", "puppeteer-core"})
        if (!fs::is_directory(ToolsDir / "node_modules" / package))
            GTEST_SKIP() << package << " is missing (npm ci --ignore-scripts in " << ToolsDir << ")";

    std::vector<fs::path> documents;
    for (const SourceCase& source : Sources) {
        if (source.shape != SheetShape::Headed)
            continue;
        for (const DocumentKind& kind : Kinds)
            documents.push_back(Convert(source, Linked, kind.kind,
                                        std::string(source.name) + "_" + kind.name + kind.extension));
    }
    // An image without a text through the empty-cell text, which axe must report, or its silence
    // proves nothing.
    TConversionSettings settings = tabulor::testkit::StartingSettings();
    Linked.adjust(settings);
    settings.EmptyCellText = "<img src=\"vide.png\" />";
    const fs::path faulty = Convert("a\tb\r\nc\t\r\n", settings, tabulor::okHtml5Document, "Faulty.html");

    std::string command = "node " + ShellQuote(AxeCheck) + " " + ShellQuote(Chromium);
    for (const fs::path& document : documents)
        command += " " + ShellQuote(document);
    const ToolResult result = RunTool(command + " " + ShellQuote(faulty));

    const std::string unclaimed = ExpectLinesOfEach(result.output, documents, [](const fs::path& document) {
        return document.string() + ": no violation\n";
    });
    const SplitLines lines = SplitByDocument(unclaimed, faulty);
    EXPECT_EQ(lines.others, "") << "messages on no document of the run";
    EXPECT_NE(lines.naming.find(": image-alt ("), std::string::npos) << result.output;
    EXPECT_EQ(result.exitCode, 1) << result.output;
}

}  // namespace
