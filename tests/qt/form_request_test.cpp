// What "Exécuter" sends: the request read from what the controls hold, the lists' entries, and
// whole runs through the real core with the notice or the error box that follows them.
#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <span>

#include "form_fixture.h"
#include "resources/string_table.h"
#include "shell/list_entries.h"
#include "shell/request.h"

using namespace tabulor;
using namespace tabulor::test;

namespace {

void CompareSettings(const TConversionSettings& actual, const TConversionSettings& expected)
{
    QCOMPARE(actual.SourceFileName, expected.SourceFileName);
    QCOMPARE(actual.DestFileName, expected.DestFileName);
    QCOMPARE(actual.TitleRows, expected.TitleRows);
    QCOMPARE(actual.TitleCols, expected.TitleCols);
    QCOMPARE(actual.Border, expected.Border);
    QCOMPARE(actual.EmptyCellText, expected.EmptyCellText);
    QCOMPARE(actual.TableClass, expected.TableClass);
    QCOMPARE(actual.RowClass, expected.RowClass);
    QCOMPARE(actual.HeaderClass, expected.HeaderClass);
    QCOMPARE(actual.CellClass, expected.CellClass);
    QCOMPARE(actual.Caption, expected.Caption);
    QCOMPARE(actual.LinkHeaders, expected.LinkHeaders);
    QCOMPARE(actual.OutputKind, expected.OutputKind);
    QCOMPARE(actual.SourceEncoding, expected.SourceEncoding);
    QCOMPARE(actual.FieldSeparator, expected.FieldSeparator);
    QCOMPARE(actual.SheetName, expected.SheetName);
}

// Makes a field or list hold a text of its own, typed or picked as a user would, and gives it:
// a number, which the spin fields' keystroke filter lets through, after an accented letter in
// the edits; a list's last entry.
std::u16string EnterText(const QWidget& form, const TControlLayout& control)
{
    if (control.Kind == TControlKind::ComboBox) {
        auto* list = Find<QComboBox>(form, control.Id);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        return ListEntries(control.Id).back();
    }
    const QString number = QString::number(static_cast<int>(control.Id));
    const QString text = control.Kind == TControlKind::Edit ? QString::fromUtf8("é") + number : number;
    TypeInto(form, control.Id, text);
    return text.toStdU16String();
}

// Ticks or unticks a box, or selects an option, with a click.
void SetChecked(const QWidget& form, TControlId id, bool checked)
{
    auto* button = Find<QAbstractButton>(form, id);
    if (button->isChecked() != checked)
        QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class TFormRequestTest : public QObject, private tabulor::test::TFormFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Folder.isValid()); }
    void init() { Open(); }
    void cleanup() { Close(); }

    // The request is what the shell makes of what the user left in each control: typed into the
    // fields, picked in the lists, ticked and selected.
    void requestFromWhatTheControlsHold_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("border");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<TControlId>("output");
        QTest::newRow("as the window starts") << false << Control(TControlId::CheckBoxBorder).Checked
                                              << Control(TControlId::CheckBoxLinkHeaders).Checked
                                              << OutputKindAtStart();
        QTest::newRow("fields typed, XHTML document, headers linked")
            << true << true << true << TControlId::RadioButtonOutputXHTML;
        QTest::newRow("border unticked, HTML document") << true << false << false << TControlId::RadioButtonOutputHTML;
        QTest::newRow("HTML5 document, headers linked") << true << false << true << TControlId::RadioButtonOutputHTML5;
    }

    void requestFromWhatTheControlsHold()
    {
        QFETCH(bool, typed);
        QFETCH(bool, border);
        QFETCH(bool, linked);
        QFETCH(TControlId, output);
        std::map<TControlId, std::u16string> texts;
        std::map<TControlId, bool> checks;
        for (const TControlLayout& control : FormControls()) {
            const TControlId id = control.Id;
            if (IsField(control.Kind)) {
                // The sheet list, hidden for a text source, keeps what it starts with.
                const bool shown = IsShown(id, TSourceView::Text);
                texts[id] = typed && shown ? EnterText(Window->Form, control) : TextAtStart(control.Id);
            } else if (control.Kind == TControlKind::CheckBox) {
                const bool ticked = id == TControlId::CheckBoxBorder ? border : linked;
                SetChecked(Window->Form, id, ticked);
                checks[id] = ticked;
            } else if (control.Kind == TControlKind::RadioButton) {
                if (id == output)
                    SetChecked(Window->Form, id, true);
                checks[id] = id == output;
            }
        }
        // Unticking the border leaves its value and unit as they are, to be ticked again.
        QVERIFY(Find(Window->Form, TControlId::EditBorderValue)->isEnabled());
        QVERIFY(Find(Window->Form, TControlId::ComboBoxBorderUnit)->isEnabled());
        // A list's selected entry is read by its place in the list.
        const auto selected = [&](TControlId id) {
            const std::span<const std::u16string> entries = ListEntries(id);
            return static_cast<int>(std::find(entries.begin(), entries.end(), texts.at(id)) - entries.begin());
        };
        const TFormFields fields = ReadFormFields({
            [&](TControlId id) { return texts.at(id); },
            [&](TControlId id) { return checks.at(id); },
            selected,
        });
        CompareSettings(Window->RunFromTheWindow(), MakeConversionSettings(fields));
        QCOMPARE(Window->Runs.size(), 1u);
    }

    // The edits set no length limit of their own: a long pasted text goes whole into the request.
    void longPastedTextIsKept()
    {
        for (const QLineEdit* edit : Window->Form.findChildren<QLineEdit*>())
            QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max());
        const QString text(40000, u'x');
        QGuiApplication::clipboard()->setText(text);
        auto* emptyCells = Find<QLineEdit>(Window->Form, TControlId::EditEmptyCells);
        emptyCells->setFocus();
        emptyCells->selectAll();
        QTest::keyClick(emptyCells, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(emptyCells->text().size(), text.size());
        QCOMPARE(Window->RunFromTheWindow().EmptyCellText, text.toStdString());
    }

    // One run through the real core, from typed names, a few fields and the lists' second
    // entries: it writes what the shell's request for those fields writes, and the notice follows.
    // A caption goes on the line after the table's, and the header cells say which cells they head.
    void oneRunThroughTheCore_data()
    {
        QTest::addColumn<TControlId>("output");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("linked");
        QTest::newRow("XHTML document") << TControlId::RadioButtonOutputXHTML << QString() << false;
        QTest::newRow("HTML5 document, caption, headers linked")
            << TControlId::RadioButtonOutputHTML5 << QString::fromUtf8("Ventes & prix \xC3\xA9t\xC3\xA9") << true;
    }

    void oneRunThroughTheCore()
    {
        QFETCH(TControlId, output);
        QFETCH(QString, caption);
        QFETCH(bool, linked);
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        WriteAll(Folder.filePath("ventes.csv"), "Nom;Prix\r\ncaf\xC3\xA9;<2>\r\n;3\r\n");
        TFormFields fields = InitialFormFields();
        fields.SourceFileName = Folder.filePath("ventes.csv").toStdU16String();
        fields.DestFileName = Folder.filePath("attendu.html").toStdU16String();
        fields.TitleCols = u"1";
        fields.EmptyCells = u"vide é";
        fields.TableClass = u"grille";
        fields.OutputTable = false;
        fields.OutputXhtml = output == TControlId::RadioButtonOutputXHTML;
        fields.OutputHtml5 = output == TControlId::RadioButtonOutputHTML5;
        fields.LinkHeaders = linked;
        fields.Caption = caption.toStdU16String();
        fields.SourceEncoding = 1;
        fields.FieldSeparator = 1;
        TypeInto(form, TControlId::EditSrcFile, "ventes.csv");
        TypeInto(form, TControlId::EditDestFile, "ventes.html");
        TypeInto(form, TControlId::EditTitleCols, ToQString(fields.TitleCols));
        TypeInto(form, TControlId::EditEmptyCells, ToQString(fields.EmptyCells));
        TypeInto(form, TControlId::EditTableClass, ToQString(fields.TableClass));
        TypeInto(form, TControlId::EditCaption, caption);
        QTest::mouseClick(Find(form, output), Qt::LeftButton);
        SetChecked(form, TControlId::CheckBoxLinkHeaders, linked);
        for (const TControlId id : {TControlId::ComboBoxSourceEncoding, TControlId::ComboBoxFieldSeparator}) {
            auto* list = Find<QComboBox>(form, id);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(list->currentText(), ToQString(ListEntries(id)[1]));
        }

        QList<TShownMessage> shown;
        Click(form, TControlId::ButtonExecute, [&](QWidget* notice) { shown.append(DescribeMessage(notice)); });
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.front().Title, ToQString(FormTitle));
        QCOMPARE(shown.front().Text, QString::fromUtf8(strings::SFileCreated));
        QVERIFY(!shown.front().StopIcon);
        RunConversion(MakeConversionSettings(fields));
        const QByteArray written = ReadAll(Folder.filePath("ventes.html"));
        QCOMPARE(written, ReadAll(Folder.filePath("attendu.html")));
        const QList<QByteArray> lines = written.split('\n');
        const auto table = std::find_if(lines.begin(), lines.end(),
                                        [](const QByteArray& line) { return line.startsWith("<table"); });
        QVERIFY2(table != lines.end() && std::next(table) != lines.end(), written.constData());
        QVERIFY(table->startsWith("<table class=\"grille\""));
        if (caption.isEmpty()) {
            QVERIFY(written.startsWith("<?xml"));
            QVERIFY(!written.contains("<caption>") && !written.contains("scope="));
        } else {
            QCOMPARE(*std::next(table), QByteArray("  <caption>Ventes &amp; prix &eacute;t&eacute;</caption>\r"));
            QVERIFY(written.startsWith("<!DOCTYPE html>"));
            QVERIFY(written.contains("<th scope=\"col\">Prix</th>"));
            QVERIFY(written.contains("<th scope=\"row\">caf&eacute;</th>"));
        }
    }

    // A source that cannot be opened, an empty name included, ends in the error box with the
    // full name and the system's reason; nothing is written and every field stays as it was.
    void failedRunKeepsEverything_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("empty name") << QString();
        QTest::newRow("missing file") << "absent.txt";
    }

    void failedRunKeepsEverything()
    {
        QFETCH(QString, source);
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        TypeInto(form, TControlId::EditSrcFile, source);
        TypeInto(form, TControlId::EditDestFile, "absent.html");
        TypeInto(form, TControlId::EditRowClass, "ligne");
        QList<TShownMessage> shown;
        Click(form, TControlId::ButtonExecute, [&](QWidget* box) { shown.append(DescribeMessage(box)); });
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.front().StopIcon);
        const QString text = shown.front().Text;
        const QStringList parts = QString::fromUtf8(strings::SFOpenError).split(QStringLiteral("%s"));
        const QString start = source.isEmpty() ? parts[0] : parts[0] + Folder.filePath(source) + parts[1];
        QVERIFY2(text.startsWith(start) && text.size() > start.size() + 1, qPrintable(text));
        QVERIFY(text.endsWith(u'.') && !text.endsWith(QStringLiteral("..")));
        QVERIFY(!QFile::exists(Folder.filePath("absent.html")));
        QCOMPARE(Find<QLineEdit>(form, TControlId::EditSrcFile)->text(), source);
        QCOMPARE(Find<QLineEdit>(form, TControlId::EditRowClass)->text(), QStringLiteral("ligne"));
    }
};

TABULOR_TEST_MAIN(TFormRequestTest)
#include "form_request_test.moc"
