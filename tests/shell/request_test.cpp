#include "shell/request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "shell/file_names.h"
#include "shell/list_entries.h"
#include "tests/testkit/starting_settings.h"

namespace tabulor {
namespace {

// The request that the tests' expected outputs are written for is the one the window starts with.
TEST(Request, AsTheWindowStarts)
{
    EXPECT_TRUE(MakeConversionSettings(InitialFormFields()) == testkit::StartingSettings());
}

// The sheet's own name and the caption go to the request in UTF-8, whatever the Windows-1252
// texts lose; the box and the fourth output kind are read from their own controls.
TEST(Request, SheetNameAndCaptionInUtf8)
{
    std::map<TControlId, std::u16string> texts;
    for (const TControlLayout& control : FormControls())
        texts[control.Id] = TextAtStart(control.Id);
    texts[TControlId::ComboBoxSheet] = u"Été ✓ 😀";
    texts[TControlId::EditCaption] = u"Ventes € <été>\n😀";
    const auto checked = [](TControlId id) {
        return id == TControlId::RadioButtonOutputHTML5 || id == TControlId::CheckBoxLinkHeaders;
    };
    const TControlReader read = {[&](TControlId id) { return texts.at(id); }, checked, [](TControlId) { return 0; }};
    const TConversionSettings settings = MakeConversionSettings(ReadFormFields(read));
    EXPECT_EQ(settings.SheetName, "\xC3\x89t\xC3\xA9 \xE2\x9C\x93 \xF0\x9F\x98\x80");
    EXPECT_EQ(settings.Caption, "Ventes \xE2\x82\xAC <\xC3\xA9t\xC3\xA9>\n\xF0\x9F\x98\x80");
    EXPECT_TRUE(settings.LinkHeaders);
    EXPECT_EQ(settings.OutputKind, okHtml5Document);
    EXPECT_EQ(settings.Border, "");
}

// Each check box, ticked alone, sets its own field of the request and no other's.
TEST(Request, EachBoxSetsItsOwnField)
{
    const struct {
        TControlId Box;
        bool TConversionSettings::*Field;
    } boxes[] = {
        {TControlId::CheckBoxLinkHeaders, &TConversionSettings::LinkHeaders},
        {TControlId::CheckBoxKeepHidden, &TConversionSettings::KeepHidden},
    };
    for (const auto& ticked : boxes) {
        const TControlReader read = {TextAtStart, [&](TControlId id) { return id == ticked.Box; },
                                     [](TControlId) { return 0; }};
        const TConversionSettings settings = MakeConversionSettings(ReadFormFields(read));
        for (const auto& box : boxes)
            EXPECT_EQ(settings.*box.Field, box.Box == ticked.Box) << Control(box.Box).Name << " with "
                                                                  << Control(ticked.Box).Name;
        EXPECT_EQ(settings.Border, "");
    }
}

TEST(Request, FileFieldsWrittenWhereTheyChange)
{
    std::map<TControlId, std::u16string> texts = {{TControlId::EditSrcFile, u"a.txt"},
                                                  {TControlId::EditDestFile, u"b.html"}};
    const TControlReader read = {[&](TControlId id) { return texts.at(id); }, {}, {}};
    std::vector<TControlId> written;
    const TTextWriter write = [&](TControlId id, std::u16string_view text) {
        written.push_back(id);
        texts[id] = text;
    };
    WriteFileFields(FileDropped(ReadFileFields(read), u"c.html", true, TFileSystem::Posix), read, write);
    EXPECT_EQ(written, std::vector{TControlId::EditDestFile});
    EXPECT_EQ(texts[TControlId::EditDestFile], u"c.html");
    WriteFileFields({u"a.txt", u"c.html"}, read, write);
    WriteFileFields({u"d.txt", u"c.html"}, read, write);
    EXPECT_EQ(written, (std::vector{TControlId::EditDestFile, TControlId::EditSrcFile}));
    EXPECT_EQ(ReadFileFields(read).SourceFileName, u"d.txt");
}

TEST(Request, TextsPassUnchanged)
{
    TFormFields fields = InitialFormFields();
    fields.SourceFileName = u" source é.txt";
    fields.DestFileName = u"dest.html ";
    fields.TitleRows = u"-4";
    fields.TitleCols = u" 0x3";
    fields.EmptyCells = u"";
    fields.TableClass = u"grille\"é";
    fields.RowClass = u" ligne ";
    fields.HeaderClass = u"tête";
    fields.CellClass = u"c€";
    const TConversionSettings settings = MakeConversionSettings(fields);
    EXPECT_EQ(settings.SourceFileName.u16string(), fields.SourceFileName);
    EXPECT_EQ(settings.DestFileName.u16string(), fields.DestFileName);
    EXPECT_EQ(settings.TitleRows, -4);
    EXPECT_EQ(settings.TitleCols, 3);
    EXPECT_EQ(settings.EmptyCellText, "");
    EXPECT_EQ(settings.TableClass, "grille\"\xE9");
    EXPECT_EQ(settings.RowClass, " ligne ");
    EXPECT_EQ(settings.HeaderClass, "t\xEAte");
    EXPECT_EQ(settings.CellClass, "c\x80");
}

TEST(Request, BorderAndOutputKind)
{
    const struct {
        bool Ticked;
        std::u16string_view Value, Unit;
        std::string_view Border;
    } borders[] = {
        {false, u"2", u"em", ""}, {true, u"", u"px", "px"}, {true, u"2", u"em", "2em"},
        {true, u"fin é", u"pt", "fin \xE9pt"},
    };
    for (const auto& b : borders) {
        TFormFields fields = InitialFormFields();
        fields.Border = b.Ticked;
        fields.BorderValue = b.Value;
        fields.BorderUnit = b.Unit;
        EXPECT_EQ(MakeConversionSettings(fields).Border, b.Border);
    }
    const struct {
        bool Table, Xhtml, Html5;
        TOutputKind Kind;
    } kinds[] = {{true, false, false, okTableOnly},   {true, true, true, okTableOnly},
                 {false, false, false, okHtmlDocument}, {false, true, false, okXhtmlDocument},
                 {false, false, true, okHtml5Document}};
    for (const auto& k : kinds) {
        TFormFields fields = InitialFormFields();
        fields.OutputTable = k.Table;
        fields.OutputXhtml = k.Xhtml;
        fields.OutputHtml5 = k.Html5;
        EXPECT_EQ(MakeConversionSettings(fields).OutputKind, k.Kind);
    }
}

// The lists show the window's words, each beside the encoding or separator it stands for; an
// index out of the list, as for a list with nothing selected, stands for the first entry.
TEST(Request, EncodingAndSeparatorFromTheLists)
{
    const std::vector<std::u16string> encodingEntries = {u"Windows-1252", u"UTF-8", u"UTF-16", u"Automatique"};
    const std::vector<std::u16string> separatorEntries = {u"Tabulation", u"Point-virgule", u"Virgule"};
    EXPECT_TRUE(std::ranges::equal(ListEntries(TControlId::ComboBoxSourceEncoding), encodingEntries));
    EXPECT_TRUE(std::ranges::equal(ListEntries(TControlId::ComboBoxFieldSeparator), separatorEntries));
    const struct {
        int Index;
        TSourceEncoding Encoding;
        TFieldSeparator Separator;
    } cases[] = {
        {0, TSourceEncoding::Windows1252, TFieldSeparator::Tab}, {1, TSourceEncoding::Utf8, TFieldSeparator::Semicolon}, {2, TSourceEncoding::Utf16, TFieldSeparator::Comma},
        {3, TSourceEncoding::Automatic, TFieldSeparator::Tab},   {4, TSourceEncoding::Windows1252, TFieldSeparator::Tab}, {-1, TSourceEncoding::Windows1252, TFieldSeparator::Tab},
    };
    for (const auto& c : cases) {
        const std::map<TControlId, int> selected = {{TControlId::ComboBoxSourceEncoding, c.Index},
                                                    {TControlId::ComboBoxFieldSeparator, c.Index}};
        const TControlReader read = {TextAtStart, [](TControlId id) { return Control(id).Checked; },
                                     [&](TControlId id) { return selected.at(id); }};
        const TConversionSettings settings = MakeConversionSettings(ReadFormFields(read));
        EXPECT_EQ(settings.SourceEncoding, c.Encoding) << c.Index;
        EXPECT_EQ(settings.FieldSeparator, c.Separator) << c.Index;
    }
}

}  // namespace
}  // namespace tabulor
