#include "shell/request.h"

#include <gtest/gtest.h>

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
}

TEST(Request, TextsPassUnchanged)
{
    TFormFields fields = InitialFormFields();
    fields.SrcFile = u" source é.txt";
    fields.DestFile = u"dest.html ";
    fields.TitleRows = u"-4";
    fields.TitleCols = u" 0x3";
    fields.EmptyCells = u"";
    fields.TableClass = u"grille\"é";
    fields.RowClass = u" ligne ";
    fields.HeaderClass = u"tête";
    fields.CellClass = u"c€";
    const TConversionSettings settings = MakeConversionSettings(fields);
    EXPECT_EQ(settings.SourceFileName.u16string(), fields.SrcFile);
    EXPECT_EQ(settings.DestFileName.u16string(), fields.DestFile);
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

}  // namespace
}  // namespace tabulor
