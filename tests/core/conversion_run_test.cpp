#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/document_frame.h"
#include "core/table_markup.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/sheet_forms.h"
#include "tests/testkit/starting_settings.h"
#include "temp_folder.h"

namespace {

using namespace tabulor;
using namespace tabulor::testkit;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const char* const HtmlDoctype =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">";

class ConversionRun : public ::testing::Test {
protected:
    // Converts source bytes with the given settings and returns the destination's bytes.
    std::string Convert(std::string_view source, TConversionSettings settings = StartingSettings())
    {
        WriteFile(Folder / "source.txt", source);
        settings.SourceFileName = Folder / "source.txt";
        settings.DestFileName = Folder / "result.html";
        RunConversion(settings);
        return ReadFile(Folder / "result.html");
    }
    TTempFolder Folder;
};

TEST_F(ConversionRun, HtmlDocumentAroundATwoCellRow)
{
    TConversionSettings settings = StartingSettings();
    settings.OutputKind = okHtmlDocument;
    EXPECT_THAT(SplitCrLf(Convert("a\tb", settings)),
                ElementsAre(HtmlDoctype, "<html>", "", "<head>",
                            "  <title>Tableau import&eacute; depuis Excel</title>", "</head>", "", "<body>", "",
                            "<table border=\"1px\">", "  <tr><th>a</th><th>b</th></tr>", "</table>", "",
                            "</body>", "", "</html>"));
}

TEST_F(ConversionRun, XhtmlDocumentAroundATwoCellRow)
{
    TConversionSettings settings = StartingSettings();
    settings.OutputKind = okXhtmlDocument;
    EXPECT_THAT(SplitCrLf(Convert("a\tb\r\n", settings)),
                ElementsAre("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>",
                            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"xhtml11.dtd\">",
                            "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"fr\">", "", "<head>",
                            "  <title>Tableau import&eacute; depuis Excel</title>", "</head>", "", "<body>", "",
                            "<table border=\"1px\">", "  <tr><th>a</th><th>b</th></tr>", "</table>", "",
                            "</body>", "", "</html>"));
}

// The HTML5 page says its language and charset, names itself by the caption (its break a space),
// draws the border it cannot carry as an attribute, and writes the verbatim texts in UTF-8.
TEST_F(ConversionRun, Html5DocumentAroundATwoCellRow)
{
    TConversionSettings settings = StartingSettings();
    settings.OutputKind = okHtml5Document;
    settings.Caption = "Ventes\r\nd\xC3\xA9""cembre";
    settings.EmptyCellText = "\xA0";
    settings.CellClass = "donn\xE9""es";
    EXPECT_THAT(SplitCrLf(Convert("a\tb\r\n\tc", settings)),
                ElementsAre("<!DOCTYPE html>", "<html lang=\"fr\">", "", "<head>", "  <meta charset=\"utf-8\">",
                            "  <title>Ventes d&eacute;cembre</title>",
                            "  <style>table { border: 1px outset; } th, td { border: 1px inset; }</style>", "</head>",
                            "", "<body>", "", "<table>", "  <caption>Ventes<br>d&eacute;cembre</caption>",
                            "  <tr><th>a</th><th>b</th></tr>",
                            "  <tr><td class=\"donn\xC3\xA9""es\">\xC2\xA0</td><td class=\"donn\xC3\xA9""es\">c</td></tr>",
                            "</table>", "", "</body>", "", "</html>"));
}

// Only a number and a unit of the border's list make a style; the other kinds keep their frame,
// but for the language that the HTML 4.0 root names where cells are tied to their headers.
TEST_F(ConversionRun, DocumentFrameLinesThatTheOptionsChange)
{
    const struct {
        TOutputKind Kind;
        std::string Border;
        bool LinkHeaders;
        std::string Line;
        bool Written;
    } cases[] = {
        {okHtml5Document, "2.5em", false, "  <style>table { border: 2.5em outset; } th, td { border: 1px inset; }</style>", true},
        {okHtml5Document, ".5pt", false, "  <style>table { border: .5pt outset; } th, td { border: 1px inset; }</style>", true},
        {okHtml5Document, "px", false, "  <style>table { border: px outset; } th, td { border: 1px inset; }</style>", false},
        {okHtml5Document, "1,5px", false, "  <style>table { border: 1,5px outset; } th, td { border: 1px inset; }</style>", false},
        {okHtml5Document, "1px;}", false, "  <style>table { border: 1px;} outset; } th, td { border: 1px inset; }</style>", false},
        {okHtml5Document, "1.px", false, "  <style>table { border: 1.px outset; } th, td { border: 1px inset; }</style>", false},
        {okHtmlDocument, "1px", true, "<html lang=\"fr\">", true},
        {okHtmlDocument, "1px", false, "<html lang=\"fr\">", false},
        {okXhtmlDocument, "1px", true, "<html lang=\"fr\">", false},
    };
    for (const auto& c : cases) {
        TConversionSettings settings = StartingSettings();
        settings.OutputKind = c.Kind;
        settings.Border = c.Border;
        settings.LinkHeaders = c.LinkHeaders;
        const std::vector<std::string> lines = SplitCrLf(Convert("a", settings));
        EXPECT_EQ(std::count(lines.begin(), lines.end(), c.Line), c.Written ? 1 : 0) << c.Line;
    }
}

TEST_F(ConversionRun, TableAloneIsExactToTheByte)
{
    EXPECT_EQ(Convert(""), "<table border=\"1px\">\r\n</table>\r\n");
    // NULs that pad the end are no text.
    EXPECT_EQ(Convert(std::string("a\tb\r\n\0\0", 7)), Convert("a\tb\r\n"));
    EXPECT_EQ(Convert("x\r\ny"), Convert("x\r\ny\r\n"));
    EXPECT_EQ(Convert("x\ny"), Convert("x\ry\r"));
    EXPECT_EQ(Convert("\"1 234,56 \x80\"\t"),
              "<table border=\"1px\">\r\n  <tr><th>\"1 234,56 &euro;\"</th><th>&nbsp;</th></tr>\r\n</table>\r\n");
}

// The output goes out a chunk at a time; the file must hold exactly what one piece would.
TEST_F(ConversionRun, LargeOutputIsWrittenWhole)
{
    std::string source;
    for (int row = 0; source.size() < 2 * TOutputLines::ChunkSize; ++row)
        source += "Soci\xE9t\xE9 " + std::to_string(row) + "\t\t1 234,56 \x80\t<&>\r\n";
    TConversionSettings settings = StartingSettings();
    settings.OutputKind = okXhtmlDocument;
    settings.TitleCols = 1;
    const std::string written = Convert(source, settings);

    TOutputLines expected;
    AddDocumentHeader(expected, okXhtmlDocument, settings);
    AddTableLines(source, expected, settings);
    AddDocumentFooter(expected);
    EXPECT_GT(written.size(), 3 * TOutputLines::ChunkSize);
    EXPECT_EQ(written, expected.Text());
}

// A source this large is read where it lies, mapped where the system allows, and a Unicode one
// decoded there: the table is still that of a copy, and the file keeps its bytes.
TEST_F(ConversionRun, LargeSourceGivesTheTableOfACopyAndStaysAsItWas)
{
    std::string tabText;
    for (int row = 0; tabText.size() < (std::size_t{1} << 20); ++row)
        tabText += "Soci\xE9t\xE9 " + std::to_string(row) + "\t\t1 234,56 \x80\t<&>\r\n";
    for (const TSheetForm& form : SheetForms) {
        if (form.Separator != TFieldSeparator::Tab)
            continue;
        const std::string bytes = InForm(tabText, form);
        TConversionSettings settings = StartingSettings();
        settings.SourceEncoding = form.ReadAs;
        EXPECT_EQ(Convert(bytes, settings), ConvertInMemory(bytes, settings)) << form.Name;
        EXPECT_EQ(ReadFile(Folder / "source.txt"), bytes) << form.Name;
    }
}

TEST_F(ConversionRun, DestinationMayNameTheSource)
{
    WriteFile(Folder / "same.html", "a\tb\r\n");
    TConversionSettings settings = StartingSettings();
    settings.SourceFileName = Folder / "same.html";
    settings.DestFileName = Folder / "same.html";
    RunConversion(settings);
    EXPECT_EQ(ReadFile(Folder / "same.html"),
              "<table border=\"1px\">\r\n  <tr><th>a</th><th>b</th></tr>\r\n</table>\r\n");
}

TEST_F(ConversionRun, ReplacedDestinationKeepsItsPermissionBits)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no permission bits; their attributes are checked on their own";
#endif
    WriteFile(Folder / "result.html", "old");
    std::filesystem::permissions(Folder / "result.html", std::filesystem::perms(0640));
    Convert("a");
    EXPECT_EQ(std::filesystem::status(Folder / "result.html").permissions(), std::filesystem::perms(0640));
}

TEST_F(ConversionRun, LinkedDestinationIsWrittenThroughToItsTarget)
{
    std::filesystem::create_directory(Folder / "real");
    WriteFile(Folder / "real" / "target.html", "old");
    std::error_code error;
    std::filesystem::create_symlink(std::filesystem::path("real") / "target.html", Folder / "result.html", error);
    if (error)
        GTEST_SKIP() << "no symbolic link can be made here (on Windows it takes a privilege): " << error.message();
    Convert("a");
    EXPECT_TRUE(std::filesystem::is_symlink(Folder / "result.html"));
    EXPECT_EQ(ReadFile(Folder / "real" / "target.html"), "<table border=\"1px\">\r\n  <tr><th>a</th></tr>\r\n</table>\r\n");

#ifndef _WIN32
    // A link whose target does not exist yet creates the target.
    std::filesystem::create_symlink("real/new.html", Folder / "dangling.html");
    TConversionSettings settings = StartingSettings();
    settings.SourceFileName = Folder / "source.txt";
    settings.DestFileName = Folder / "dangling.html";
    RunConversion(settings);
    EXPECT_EQ(ReadFile(Folder / "real" / "new.html"), ReadFile(Folder / "real" / "target.html"));
#endif
}

TEST_F(ConversionRun, RelativeNamesResolveAgainstTheCurrentFolder)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(Folder.Path);
    WriteFile("in.txt", "a");
    TConversionSettings settings = StartingSettings();
    settings.SourceFileName = "in.txt";
    settings.DestFileName = "out.html";
    RunConversion(settings);
    std::filesystem::current_path(previous);
    EXPECT_EQ(ReadFile(Folder / "out.html"), "<table border=\"1px\">\r\n  <tr><th>a</th></tr>\r\n</table>\r\n");
}

TEST_F(ConversionRun, LeavesNoOtherFileBehind)
{
    Convert("a");
    Convert("b");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder.Path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_THAT(names, ElementsAre("result.html", "source.txt"));
}

}  // namespace
