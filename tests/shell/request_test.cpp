#include "shell/request.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "shell/file_names.h"
#include "shell/list_entries.h"

namespace tabulor {
namespace {

TEST(Request, AsTheWindowStarts)
{
    const TConversionSettings settings = MakeConversionSettings(InitialFormFields());
    EXPECT_EQ(settings.SourceFileName, std::filesystem::path());
    EXPECT_EQ(settings.DestFileName, std::filesystem::path());
    EXPECT_EQ(settings.TitleRows, 1);
    EXPECT_EQ(settings.TitleCols, 0);
    EXPECT_EQ(settings.Border, "1px");
    EXPECT_EQ(settings.EmptyCellText, "&nbsp;");
    EXPECT_EQ(settings.TableClass + settings.RowClass + settings.HeaderClass + settings.CellClass, "");
    EXPECT_EQ(settings.OutputKind, okTableOnly);
    EXPECT_EQ(settings.SourceEncoding, seWindows1252);
    EXPECT_EQ(settings.FieldSeparator, fsTab);
    EXPECT_EQ(settings.SheetName, "");
}

// The sheet's own name goes to the request in UTF-8, whatever the Windows-1252 texts lose.
TEST(Request, SheetNameInUtf8)
{
    std::map<TControlId, std::u16string> texts;
    for (const TControlLayout& control : FormControls())
        texts[control.Id] = TextAtStart(control.Id);
    texts[TControlId::ComboBoxSheet] = u"Été ✓ 😀";
    const TControlReader read = {[&](TControlId id) { return texts.at(id); },
                                 [](TControlId id) { return Control(id).Checked; }};
    EXPECT_EQ(MakeConversionSettings(ReadFormFields(read)).SheetName, "\xC3\x89t\xC3\xA9 \xE2\x9C\x93 \xF0\x9F\x98\x80");
}

TEST(Request, FileFieldsWrittenWhereTheyChange)
{
    std::map<TControlId, std::u16string> texts = {{TControlId::EditSrcFile, u"a.txt"},
                                                  {TControlId::EditDestFile, u"b.html"}};
    const TControlReader read = {[&](TControlId id) { return texts.at(id); }, {}};
    std::vector<TControlId> written;
    const TTextWriter write = [&](TControlId id, std::u16string_view text) {
        written.push_back(id);
        texts[id] = text;
    };
    WriteFileFields(FileDropped(ReadFileFields(read), u"c.html", true), read, write);
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
        bool Table, Xhtml;
        TOutputKind Kind;
    } kinds[] = {{true, false, okTableOnly}, {true, true, okTableOnly},
                 {false, false, okHtmlDocument}, {false, true, okXhtmlDocument}};
    for (const auto& k : kinds) {
        TFormFields fields = InitialFormFields();
        fields.OutputTable = k.Table;
        fields.OutputXhtml = k.Xhtml;
        EXPECT_EQ(MakeConversionSettings(fields).OutputKind, k.Kind);
    }
}

// Each entry stands for its own encoding or separator; a text that is no entry of the list, which
// no list gives, stands for the first.
TEST(Request, EncodingAndSeparatorFromTheLists)
{
    const struct {
        std::u16string_view Entry;
        TSourceEncoding Encoding;
    } encodings[] = {
        {u"Windows-1252", seWindows1252}, {u"UTF-8", seUtf8}, {u"UTF-16", seUtf16},
        {u"Automatique", seAutomatic}, {u"utf-8", seWindows1252}, {u"", seWindows1252},
    };
    for (const auto& e : encodings) {
        TFormFields fields = InitialFormFields();
        fields.SourceEncoding = e.Entry;
        EXPECT_EQ(MakeConversionSettings(fields).SourceEncoding, e.Encoding)
            << std::string(e.Entry.begin(), e.Entry.end());
    }
    const struct {
        std::u16string_view Entry;
        TFieldSeparator Separator;
    } separators[] = {
        {u"Tabulation", fsTab}, {u"Point-virgule", fsSemicolon}, {u"Virgule", fsComma},
        {u"Point-virgule ", fsTab},
    };
    for (const auto& s : separators) {
        TFormFields fields = InitialFormFields();
        fields.FieldSeparator = s.Entry;
        EXPECT_EQ(MakeConversionSettings(fields).FieldSeparator, s.Separator)
            << std::string(s.Entry.begin(), s.Entry.end());
    }
}

// No two entries of a list stand for the same encoding or separator.
TEST(Request, EveryEntryOfTheListsIsAChoiceOfItsOwn)
{
    std::set<TSourceEncoding> encodings;
    for (const std::u16string& entry : ListEntries(TControlId::ComboBoxSourceEncoding))
        encodings.insert(SourceEncodingOf(entry));
    EXPECT_EQ(encodings.size(), ListEntries(TControlId::ComboBoxSourceEncoding).size());
    std::set<TFieldSeparator> separators;
    for (const std::u16string& entry : ListEntries(TControlId::ComboBoxFieldSeparator))
        separators.insert(FieldSeparatorOf(entry));
    EXPECT_EQ(separators.size(), ListEntries(TControlId::ComboBoxFieldSeparator).size());
}

}  // namespace
}  // namespace tabulor
