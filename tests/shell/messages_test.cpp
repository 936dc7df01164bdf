#include "shell/messages.h"
#include "shell/placement.h"

#include <gtest/gtest.h>

namespace tabulor {
namespace {

TEST(Messages, FinalFullStop)
{
    const struct {
        std::u16string_view Text, Shown;
    } cases[] = {
        {u"", u""}, {u"Fin.", u"Fin."}, {u"Fin !", u"Fin !"}, {u"(fin)", u"(fin)"},
        {u"fin-", u"fin-"}, {u"fin. ", u"fin. "}, {u"\"fin\"", u"\"fin\""}, {u"fin,", u"fin,"},
        {u"fin\t", u"fin\t"}, {u"fin", u"fin."}, {u"code 5", u"code 5."},
        {u"créé", u"créé."}, {u"fin:", u"fin:."}, {u"/tmp/", u"/tmp/."}, {u"fin ?", u"fin ?."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithFinalFullStop(c.Text), c.Shown);
}

TEST(Messages, NoticeAsCopied)
{
    const std::u16string divider(27, u'-');
    const std::u16string ok = NoticeButtonText();
    EXPECT_EQ(NoticeClipboardText(u"Texte <b>"),
              divider + u"\nTabulor\n" + divider + u"\nTexte <b>\n" + divider + u"\n" + ok + u"\n" + divider + u"\n");
    EXPECT_EQ(NoticeClipboardText(u"x", u"\r\n"),
              divider + u"\r\nTabulor\r\n" + divider + u"\r\nx\r\n" + divider + u"\r\n" + ok + u"\r\n" + divider
                  + u"\r\n");
}

TEST(Messages, NoticeNamesTheFormulasLeftEmpty)
{
    const std::u16string created = u"Le fichier a été correctement créé";
    const std::u16string_view advice = u" : ouvrez et enregistrez le classeur dans son tableur pour ";
    const struct {
        std::size_t Count;
        std::u16string Text;
    } cases[] = {
        {0, created},
        {1, created + u"\n1 cellule à formule sans valeur enregistrée est restée vide" + std::u16string(advice)
                + u"la calculer."},
        {2, created + u"\n2 cellules à formule sans valeur enregistrée sont restées vides" + std::u16string(advice)
                + u"les calculer."},
        {12345, created + u"\n12345 cellules à formule sans valeur enregistrée sont restées vides"
                    + std::u16string(advice) + u"les calculer."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NoticeText({c.Count}), c.Text) << c.Count;
}

TEST(Messages, NoticeNamesTheHiddenLinesLeftOut)
{
    const std::u16string created = u"Le fichier a été correctement créé\n";
    const std::u16string formulas = u"2 cellules à formule sans valeur enregistrée sont restées vides : ouvrez et "
                                    u"enregistrez le classeur dans son tableur pour les calculer.\n";
    const struct {
        TConversionReport Report;
        std::u16string Text;
    } cases[] = {
        {{0, 3, 1}, created + u"3 lignes masquées et 1 colonne masquée n'ont pas été reprises."},
        {{0, 1, 0}, created + u"1 ligne masquée n'a pas été reprise."},
        {{0, 0, 1}, created + u"1 colonne masquée n'a pas été reprise."},
        {{0, 0, 2}, created + u"2 colonnes masquées n'ont pas été reprises."},
        {{0, 1, 1}, created + u"1 ligne masquée et 1 colonne masquée n'ont pas été reprises."},
        {{2, 2, 0}, created + formulas + u"2 lignes masquées n'ont pas été reprises."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NoticeText(c.Report), c.Text) << c.Report.HiddenRows << ' ' << c.Report.HiddenCols;
}

TEST(Messages, StartShowCommand)
{
    const struct {
        int Command;
        TStartShow How;
    } cases[] = {
        {1, TStartShow::Normal}, {2, TStartShow::Normal}, {3, TStartShow::Maximized},
        {7, TStartShow::Minimized}, {0, TStartShow::Normal}, {6, TStartShow::Normal},
        {10, TStartShow::Normal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartShowFromCommand(c.Command), c.How) << c.Command;
}

TEST(Placement, WindowsOnTheScreen)
{
    EXPECT_EQ(CentredTopLeft({0, 0, 1024, 768}, {641, 329}), (TPoint{191, 219}));
    EXPECT_EQ(CentredTopLeft({0, 0, 1025, 769}, {640, 330}), (TPoint{192, 219}));
    EXPECT_EQ(CentredTopLeft({0, 0, 600, 300}, {641, 329}), (TPoint{0, 0}));
    EXPECT_EQ(CentredTopLeft({1920, 0, 1280, 1024}, {200, 100}), (TPoint{2460, 462}));
    EXPECT_EQ(PickerTopLeft({0, 0, 1024, 768}, {600, 400}), (TPoint{212, 122}));
    EXPECT_EQ(PickerTopLeft({-1280, 100, 1280, 1024}, {601, 401}), (TPoint{-941, 307}));
    EXPECT_EQ(NoticeWrapWidth(1025), 512);
}

TEST(Placement, NoticeSizedToItsText)
{
    const TNoticeLayout wide = LayOutNotice({300, 40}, {75, 23}, 16, 12);
    EXPECT_EQ(wide.Client, (TSize{332, 16 + 40 + 12 + 23 + 16}));
    EXPECT_EQ(wide.Text, (TRect{16, 16, 300, 40}));
    EXPECT_EQ(wide.Button, (TRect{16 + 112, 68, 75, 23}));
    // A text narrower than the button is centred above it.
    const TNoticeLayout narrow = LayOutNotice({20, 13}, {75, 23}, 16, 12);
    EXPECT_EQ(narrow.Client.Width, 107);
    EXPECT_EQ(narrow.Text.Left, 16 + 27);
    EXPECT_EQ(narrow.Button.Left, 16);
}

// Each toolkit's notice keeps its own message boxes' margins; Windows' button has a size of its
// own, Qt's the one its style asks for, here 80 x 30.
TEST(Placement, NoticeMetricsOfEachToolkit)
{
    EXPECT_EQ(QtNoticeMetrics.Button, TSize());
    const struct {
        TNoticeMetrics Metrics;
        TSize Button;
        TSize Client;
        TRect ButtonAt;
    } cases[] = {
        {WindowsNoticeMetrics, WindowsNoticeMetrics.Button, {324, 99}, {124, 64, 75, 23}},
        {QtNoticeMetrics, {80, 30}, {332, 118}, {126, 72, 80, 30}},
    };
    for (const auto& c : cases) {
        const TNoticeLayout layout = LayOutNotice({300, 40}, c.Button, c.Metrics.Margin, c.Metrics.Spacing);
        EXPECT_EQ(layout.Client, c.Client);
        EXPECT_EQ(layout.Button, c.ButtonAt);
    }
}

}  // namespace
}  // namespace tabulor
