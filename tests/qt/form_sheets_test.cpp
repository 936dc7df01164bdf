// A workbook in the main window: the sheet list and the box that keeps hidden rows shown in the
// place of the encoding and separator lists, the list filled as the shell lists the workbook, the
// focus moved off a control that hides, the wait cursor and the notice of a run, and whole runs of
// a workbook's second sheet and of a sheet with a hidden row.
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>

#include <stdexcept>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "resources/string_table.h"
#include "shell/list_entries.h"
#include "shell/messages.h"
#include "shell/request.h"
#include "shell/sheet_list.h"
#include "tests/testkit/xlsx_file.h"

using namespace tabulor;
using namespace tabulor::test;

namespace {

using testkit::TXlsxSheet;

QStringList Entries(const QComboBox& list)
{
    QStringList entries;
    for (int i = 0; i < list.count(); ++i)
        entries.append(list.itemText(i));
    return entries;
}

// The controls shown are those that the shell shows for view, and no others.
void CompareShown(const QWidget& form, TSourceView view)
{
    for (const TControlLayout& control : FormControls())
        QVERIFY2(Find(form, control.Id)->isVisible() == IsShown(control.Id, view), control.Name.data());
}

// The list holds the entries that the shell lists for the file, with the choice it selects after
// previous; a workbook the shell cannot list would prove nothing.
void CompareWithTheShell(const QComboBox& list, const QString& name, std::u16string_view previous)
{
    const TSheetList expected = SourceStateOf(name.toStdU16String(), previous).Sheets;
    QVERIFY(!expected.Choices.empty());
    QStringList entries;
    for (const TSheetChoice& choice : expected.Choices)
        entries.append(ToQString(choice.Entry));
    QCOMPARE(Entries(list), entries);
    QCOMPARE(list.currentIndex(), static_cast<int>(expected.Selected));
}

// Chooses the source as "Open with" does.
void OpenSource(TFormMain& form, const QString& name)
{
    form.OpenFiles(std::vector<std::u16string>{name.toStdU16String()});
}

}  // namespace

class TFormSheetsTest : public QObject, private tabulor::test::TFormFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Folder.isValid()); }
    void init() { Open(); }
    void cleanup() { Close(); }

    // The sheet list takes the place of the encoding and separator lists and holds what the shell
    // lists for the file, the sheet chosen before passed on by its own name, which the request
    // takes too; a text source brings the encoding and separator back as they were.
    void sheetListFollowsTheSource()
    {
        TFormMain& form = Window->Form;
        auto* sheets = Find<QComboBox>(form, TControlId::ComboBoxSheet);
        auto* encodings = Find<QComboBox>(form, TControlId::ComboBoxSourceEncoding);
        CompareShown(form, TSourceView::Text);
        encodings->setCurrentIndex(2);

        WriteAll(Folder.filePath("ventes.xlsx"),
                 QByteArray::fromStdString(testkit::MakeXlsx({{"Calculs", true, {{"x"}}, {}},
                                                              {"Janvier", false, {{"a"}}, {}},
                                                              {"Février", false, {{"b"}}, {}}})));
        OpenSource(form, Folder.filePath("ventes.xlsx"));
        CompareShown(form, TSourceView::Workbook);
        QVERIFY(Find(form, TControlId::CheckBoxKeepHidden)->isVisible());
        CompareWithTheShell(*sheets, Folder.filePath("ventes.xlsx"), u"");
        form.grab().save(QStringLiteral(TABULOR_TEST_OUTPUT_DIR "/form_main_workbook.png"));
        sheets->setCurrentIndex(0);
        QCOMPARE(Window->RunFromTheWindow().SheetName, "Calculs");
        Show(form);

        WriteAll(Folder.filePath("autre.xlsx"),
                 QByteArray::fromStdString(testkit::MakeXlsx({{"Notes", false, {{"n"}}, {}},
                                                              {"Calculs", true, {{"c"}}, {}}})));
        OpenSource(form, Folder.filePath("autre.xlsx"));
        CompareWithTheShell(*sheets, Folder.filePath("autre.xlsx"), u"Calculs");

        WriteAll(Folder.filePath("notes.txt"), "a\tb\r\n");
        OpenSource(form, Folder.filePath("notes.txt"));
        CompareShown(form, TSourceView::Text);
        QVERIFY(!Find(form, TControlId::CheckBoxKeepHidden)->isVisible());
        QCOMPARE(encodings->currentIndex(), 2);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Named by a typed name, the source is settled when the field is left with another text
    // than it was settled for: not while typing, and not again for the same text.
    void typedSourceIsSettledWhenTheFieldIsLeft()
    {
        TFormMain& form = Window->Form;
        auto* sheets = Find<QComboBox>(form, TControlId::ComboBoxSheet);
        const QString name = Folder.filePath("tape.xlsx");
        WriteAll(name, QByteArray::fromStdString(testkit::MakeXlsx({{"Un", false, {{"1"}}, {}}})));
        TypeInto(form, TControlId::EditSrcFile, name);
        CompareShown(form, TSourceView::Text);
        Find(form, TControlId::EditDestFile)->setFocus();
        CompareShown(form, TSourceView::Workbook);
        QCOMPARE(Entries(*sheets), QStringList{"Un"});

        WriteAll(name, QByteArray::fromStdString(testkit::MakeXlsx({{"Deux", false, {{"2"}}, {}}})));
        Find(form, TControlId::EditSrcFile)->setFocus();
        Find(form, TControlId::EditDestFile)->setFocus();
        QCOMPARE(Entries(*sheets), QStringList{"Un"});
    }

    // A focused control that hides hands the focus to the one shown in its place, both ways.
    void focusMovesToTheControlShownInItsPlace()
    {
        TFormMain& form = Window->Form;
        const struct {
            TControlId ForText, ForWorkbook;
        } places[] = {
            {TControlId::ComboBoxSourceEncoding, TControlId::ComboBoxSheet},
            {TControlId::ComboBoxFieldSeparator, TControlId::CheckBoxKeepHidden},
        };
        for (const auto& place : places) {
            TypeInto(form, TControlId::EditSrcFile, Folder.filePath("absent.xlsx"));
            Find(form, place.ForText)->setFocus();
            QCOMPARE(FocusedName(), NameOf(place.ForWorkbook));
            CompareShown(form, TSourceView::Workbook);
            OpenSource(form, Folder.filePath("absent.txt"));
            QCOMPARE(FocusedName(), NameOf(place.ForText));
            CompareShown(form, TSourceView::Text);
        }
    }

    // The run goes with the wait cursor, which leaves with it, after an error too; the notice
    // says what the run reported.
    void runShowsTheWaitCursorAndItsReport()
    {
        std::vector<Qt::CursorShape> during;
        bool fail = false;
        const TConversionReport report{3};
        TFormMain form([&](const TConversionSettings&) {
            const QCursor* cursor = QApplication::overrideCursor();
            during.push_back(cursor != nullptr ? cursor->shape() : Qt::ArrowCursor);
            if (fail)
                throw std::runtime_error("échec");
            return report;
        });
        Show(form);
        QList<TShownMessage> shown;
        Click(form, TControlId::ButtonExecute, [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
        fail = true;
        Click(form, TControlId::ButtonExecute, [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
        QCOMPARE(during, (std::vector{Qt::WaitCursor, Qt::WaitCursor}));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].Text, ToQString(NoticeText(report)));
        QVERIFY(shown[0].Text.contains(u'\n'));
        QVERIFY(shown[1].StopIcon);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The second sheet, chosen in the list, converts through the real core to the table that the
    // same cells give as UTF-8 tab-separated text; nothing of the first sheet is in it.
    void secondSheetConverted()
    {
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        WriteAll(Folder.filePath("bilan.xlsx"),
                 QByteArray::fromStdString(testkit::MakeXlsx(
                     {{"Janvier", false, {{"Mois", "Total"}, {"janv.", "10"}}, {}},
                      {"Février", false, {{"Région", "Ventes"}, {"Nord & Sud", "12,5"}, {"", "€"}}, {}}})));
        WriteAll(Folder.filePath("fevrier.txt"),
                 QByteArray("R\xC3\xA9gion\tVentes\r\nNord & Sud\t12,5\r\n\t\xE2\x82\xAC\r\n"));
        TypeInto(form, TControlId::EditSrcFile, "bilan.xlsx");
        TypeInto(form, TControlId::EditDestFile, "bilan.html");
        auto* sheets = Find<QComboBox>(form, TControlId::ComboBoxSheet);
        QCOMPARE(sheets->currentText(), QStringLiteral("Janvier"));
        sheets->setFocus();
        QTest::keyClick(sheets, Qt::Key_Down);
        QCOMPARE(sheets->currentText(), QString::fromUtf8("Février"));

        QList<TShownMessage> shown;
        Click(form, TControlId::ButtonExecute, [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.front().Text, QString::fromUtf8(strings::SFileCreated));

        TFormFields fields = InitialFormFields();
        fields.SourceFileName = Folder.filePath("fevrier.txt").toStdU16String();
        fields.DestFileName = Folder.filePath("attendu.html").toStdU16String();
        fields.SourceEncoding = 1;
        QCOMPARE(ListEntries(TControlId::ComboBoxSourceEncoding)[1], u"UTF-8");
        RunConversion(MakeConversionSettings(fields));
        const QByteArray written = ReadAll(Folder.filePath("bilan.html"));
        QCOMPARE(written, ReadAll(Folder.filePath("attendu.html")));
        QVERIFY(written.contains("Nord &amp; Sud") && !written.contains("Mois"));
    }

    // A sheet whose second row is hidden, converted through the real core: unticked, the box
    // leaves the row out, as the table of the sheet without it, and the notice says so; ticked,
    // the table is that of the same sheet with nothing hidden.
    void hiddenRowKeptWhenTheBoxIsTicked()
    {
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        const std::vector<std::vector<std::string>> rows = {{"R\xC3\xA9gion", "Ventes"}, {"Sud", "4"}, {"Nord", "7"}};
        WriteAll(Folder.filePath("filtre.xlsx"), QByteArray::fromStdString(testkit::MakeXlsx({{"Ventes", false, rows, {}, {1}}})));
        WriteAll(Folder.filePath("tout.xlsx"), QByteArray::fromStdString(testkit::MakeXlsx({{"Ventes", false, rows, {}}})));
        WriteAll(Folder.filePath("nord.xlsx"),
                 QByteArray::fromStdString(testkit::MakeXlsx({{"Ventes", false, {rows[0], rows[2]}, {}}})));
        TypeInto(form, TControlId::EditSrcFile, "filtre.xlsx");
        TypeInto(form, TControlId::EditDestFile, "filtre.html");
        auto* box = Find<QCheckBox>(form, TControlId::CheckBoxKeepHidden);
        QTRY_VERIFY(box->isVisible());
        QVERIFY(!box->isChecked());

        const struct {
            bool Ticked;
            const char* SameAs;
            const char* Notice;
        } cases[] = {
            {false, "nord.xlsx", "\n1 ligne masqu\xC3\xA9" "e n'a pas \xC3\xA9t\xC3\xA9 reprise."},
            {true, "tout.xlsx", ""},
        };
        for (const auto& c : cases) {
            if (box->isChecked() != c.Ticked)
                QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), c.Ticked);
            QList<TShownMessage> shown;
            Click(form, TControlId::ButtonExecute, [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.front().Text, QString::fromUtf8(strings::SFileCreated) + QString::fromUtf8(c.Notice));

            TFormFields fields = InitialFormFields();
            fields.SourceFileName = Folder.filePath(c.SameAs).toStdU16String();
            fields.DestFileName = Folder.filePath("attendu.html").toStdU16String();
            RunConversion(MakeConversionSettings(fields));
            QCOMPARE(ReadAll(Folder.filePath("filtre.html")), ReadAll(Folder.filePath("attendu.html")));
        }
    }
};

TABULOR_TEST_MAIN(TFormSheetsTest)
#include "form_sheets_test.moc"
