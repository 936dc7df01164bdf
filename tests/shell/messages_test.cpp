#include "shell/messages.h"

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

}  // namespace
}  // namespace tabulor
