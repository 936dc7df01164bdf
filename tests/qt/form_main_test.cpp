// The main window, driven as a user drives it: its controls, the request that "Exécuter" builds,
// whole runs through the real core, the pickers and the keyboard.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <limits>
#include <vector>

#include "qt/button.h"
#include "qt/edit.h"
#include "qt/form_main.h"
#include "qt/shell_types.h"
#include "qt/spin_edit.h"
#include "qt/spin_key_filter.h"
#include "qt/start_show.h"
#include "modal_handler.h"
#include "shell/focus.h"
#include "shell/layout.h"
#include "shell/pickers.h"
#include "shell/placement.h"
#include "shell/request.h"

using namespace tabulor;
using namespace tabulor::test;

namespace {

QByteArray ReadAll(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void WriteAll(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Sends a drag of urls over the window to position, then the drop; true when the window took it.
bool DropOn(QWidget& form, const QList<QUrl>& urls, QPoint position)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(position, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QDropEvent drop(QPointF(position), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

QStringList FilterDescriptions(const TPickerSetup& setup)
{
    QStringList descriptions;
    for (const TPickerFilter& filter : setup.Filters)
        descriptions.append(ToQString(filter.Description));
    return descriptions;
}

// The names that a file dialog's list shows.
QStringList ListedNames(const QFileDialog& dialog)
{
    const auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
    return names;
}

// Picks name in a file dialog as a user who types it would.
void PickFile(QWidget* dialog, const QString& name)
{
    auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(fileName != nullptr);
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    fileName->setFocus();
    fileName->setText(name);
    qobject_cast<QDialog*>(dialog)->accept();
}

}  // namespace

class TFormMainTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        StartFolder = QDir::currentPath();
        QVERIFY(Folder.isValid());
    }

    void init()
    {
        QDir::setCurrent(StartFolder);
        Runs.clear();
        Form = std::make_unique<TFormMain>(
            [this](const TConversionSettings& settings) { Runs.push_back(settings); });
        Show(*Form);
    }

    void cleanup() { Form.reset(); }

    void windowAndLabels()
    {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Tabulor"));
        QCOMPARE(Form->size(), QSize(641, 329));
        QCOMPARE(Form->minimumSize(), Form->maximumSize());
        QVERIFY(!Form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(Form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        const QList<QLabel*> labels = Form->findChildren<QLabel*>();
        const auto isLabel = [](const TControlLayout& c) { return c.Kind == TControlKind::Label; };
        QCOMPARE(labels.size(), std::count_if(FormControls().begin(), FormControls().end(), isLabel));
        for (const QLabel* label : labels)
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(QAccessible::queryAccessibleInterface(Control<QWidget>("ButtonExecute"))->role(),
                 QAccessible::Button);
        for (QPushButton* button : Form->findChildren<QPushButton*>())
            QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY(!Control<QComboBox>("ComboBoxBorderUnit")->isEditable());
        QVERIFY(Control<QWidget>("EditSrcFile")->hasFocus());

        Form->grab().save(QStringLiteral(TABULOR_TEST_OUTPUT_DIR "/form_main.png"));
    }

    // What a screen reader reads out, as the window shows it: each field its label's text, the
    // border's value and unit the check box's caption and what they hold, a box, an option or a
    // button its caption, the two browse buttons their caption and the file they browse for, the
    // spin arrows what they do. No control goes unnamed.
    void screenReaderNames()
    {
        // Qt on Linux reads a drop-down list's selected entry out as its name, and its label through
        // the label's relation: the name that it is given is the one other platforms read out.
        const auto name = [](QWidget* widget) {
            if (qobject_cast<QComboBox*>(widget) != nullptr)
                return widget->accessibleName();
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        for (const QLabel* label : Form->findChildren<QLabel*>()) {
            QVERIFY(label->buddy() != nullptr);
            QCOMPARE(name(label->buddy()), label->text());
        }
        const QString border = Control<QCheckBox>("CheckBoxBorder")->text();
        QCOMPARE(name(Control<QWidget>("EditBorderValue")), border + " valeur");
        QCOMPARE(name(Control<QWidget>("ComboBoxBorderUnit")), border + QString::fromUtf8(" unité"));
        for (QAbstractButton* button : Form->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
            const QString caption = button->text();
            if (button->objectName() == "ButtonBrowseSrcFile")
                QCOMPARE(name(button), caption + " (fichier source)");
            else if (button->objectName() == "ButtonBrowseDestFile")
                QCOMPARE(name(button), caption + " (fichier destination)");
            else
                QCOMPARE(name(button), caption);
        }
        for (TSpinEdit* spin : Form->findChildren<TSpinEdit*>()) {
            QCOMPARE(name(spin->findChild<QWidget*>("UpButton")), QStringLiteral("Augmenter"));
            QCOMPARE(name(spin->findChild<QWidget*>("DownButton")), QStringLiteral("Diminuer"));
        }
        for (QWidget* control : Form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(!name(control).isEmpty(), qPrintable(control->objectName()));
    }

    // Tab follows the shell's tab order round the window, and enters the output kinds at the
    // selected one.
    void tabOrderAndRadioGroup()
    {
        QStringList expected = ShellTabCycle("RadioButtonOutputTable");
        QCOMPARE(TabSequence(expected.size()), expected);

        QTest::mouseClick(Control<QWidget>("RadioButtonOutputXHTML"), Qt::LeftButton);
        QVERIFY(Control<QRadioButton>("RadioButtonOutputXHTML")->isChecked());
        QVERIFY(!Control<QRadioButton>("RadioButtonOutputTable")->isChecked());
        QVERIFY(!Control<QRadioButton>("RadioButtonOutputHTML")->isChecked());
        Control<QWidget>("EditSrcFile")->setFocus();
        expected = ShellTabCycle("RadioButtonOutputXHTML");
        QVERIFY(expected.contains("RadioButtonOutputXHTML"));
        QCOMPARE(TabSequence(expected.size()), expected);
    }

    // The tab sequence enters the group of output kinds only at the selected one, whichever
    // way it comes and however that one was selected; the arrow keys still move the selection.
    void radioGroupIsEnteredAtTheSelectedOption_data()
    {
        QTest::addColumn<QString>("selected");  // selected by the program, empty for the start
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QString>("entered");
        QTest::newRow("Tab at start") << "" << "EditCellClass" << false << "RadioButtonOutputTable";
        QTest::newRow("Shift+Tab at start") << "" << "ComboBoxSourceEncoding" << true
                                            << "RadioButtonOutputTable";
        QTest::newRow("Tab after setChecked") << "RadioButtonOutputHTML" << "EditCellClass" << false
                                              << "RadioButtonOutputHTML";
        QTest::newRow("Shift+Tab after setChecked") << "RadioButtonOutputHTML" << "ComboBoxSourceEncoding"
                                                    << true << "RadioButtonOutputHTML";
        QTest::newRow("Shift+Tab to the last one") << "RadioButtonOutputXHTML" << "ComboBoxSourceEncoding"
                                                   << true << "RadioButtonOutputXHTML";
    }

    void radioGroupIsEnteredAtTheSelectedOption()
    {
        QFETCH(QString, selected);
        QFETCH(QString, from);
        QFETCH(bool, backwards);
        QFETCH(QString, entered);
        if (!selected.isEmpty())
            Form->findChild<QRadioButton*>(selected)->setChecked(true);
        const Qt::Key tab = backwards ? Qt::Key_Backtab : Qt::Key_Tab;
        Form->findChild<QWidget*>(from)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), entered);
        QTest::keyClick(QApplication::focusWidget(), tab);
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 QString::fromLatin1(backwards ? "EditCellClass" : "ComboBoxSourceEncoding"));
    }

    void arrowKeysMoveTheSelectionInTheRadioGroup()
    {
        auto* table = Control<QRadioButton>("RadioButtonOutputTable");
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("RadioButtonOutputHTML"));
        QVERIFY(Control<QRadioButton>("RadioButtonOutputHTML")->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(Control<QRadioButton>("RadioButtonOutputXHTML")->isChecked());
        QVERIFY(!table->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("RadioButtonOutputXHTML"));
        // Down goes round from the last to the first, Up back again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(table->isChecked());
        QCOMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(table, Qt::Key_Up);
        QVERIFY(Control<QRadioButton>("RadioButtonOutputXHTML")->isChecked());
    }

    // The edits set no length limit of their own: a long pasted text goes whole into the request.
    void longPastedTextIsKept()
    {
        for (const QLineEdit* edit : Form->findChildren<QLineEdit*>())
            QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max());
        const QString text(40000, u'x');
        QGuiApplication::clipboard()->setText(text);
        auto* emptyCells = Control<QLineEdit>("EditEmptyCells");
        emptyCells->setFocus();
        emptyCells->selectAll();
        QTest::keyClick(emptyCells, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(emptyCells->text().size(), text.size());
        QCOMPARE(RunFromTheWindow().EmptyCellText, text.toStdString());
    }

    void defaultRequest()
    {
        QCOMPARE(Click(*Form, "ButtonExecute"), 1);
        QCOMPARE(Runs.size(), 1u);
        const TConversionSettings& settings = Runs.front();
        QVERIFY(settings.SourceFileName.empty());
        QVERIFY(settings.DestFileName.empty());
        QCOMPARE(settings.TitleRows, 1);
        QCOMPARE(settings.TitleCols, 0);
        QCOMPARE(settings.Border, std::string("1px"));
        QCOMPARE(settings.EmptyCellText, std::string("&nbsp;"));
        QVERIFY(settings.TableClass.empty() && settings.RowClass.empty());
        QVERIFY(settings.HeaderClass.empty() && settings.CellClass.empty());
        QCOMPARE(settings.OutputKind, okTableOnly);
    }

    void defaultRunFailsOnTheEmptySourceName()
    {
        TFormMain form;
        Show(form);
        QList<TShownMessage> shown;
        Click(form, "ButtonExecute", [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.front().StopIcon);
        QVERIFY(shown.front().Text.startsWith(QStringLiteral("Impossible d'ouvrir le fichier \"")));
        QVERIFY(shown.front().Text.endsWith(u'.'));
        QVERIFY(!shown.front().Text.endsWith(QStringLiteral("..")));
    }

    void fullRunFromTypedNames()
    {
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        const QByteArray source("Nom\tPrix\r\nCaf\xE9\t<2>\r\n\t3\r\n");
        WriteAll(Folder.filePath("ventes.txt"), source);
        TypeInto(form, "EditSrcFile", "ventes.txt");
        TypeInto(form, "EditDestFile", "ventes.html");
        TypeInto(form, "EditTitleCols", "1");
        TypeInto(form, "EditEmptyCells", QString::fromUtf8("vide é"));
        TypeInto(form, "EditTableClass", "grille");
        QTest::mouseClick(form.findChild<QWidget*>("RadioButtonOutputXHTML"), Qt::LeftButton);

        QList<TShownMessage> shown;
        Click(form, "ButtonExecute", [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.front().Caption, QStringLiteral("Tabulor"));
        QCOMPARE(shown.front().Text, QString::fromUtf8("Le fichier a été correctement créé"));
        QVERIFY(!shown.front().StopIcon);

        TConversionSettings expected = MakeConversionSettings(InitialFormFields());
        expected.SourceFileName = Folder.filePath("ventes.txt").toStdString();
        expected.DestFileName = Folder.filePath("attendu.html").toStdString();
        expected.TitleCols = 1;
        expected.EmptyCellText = "vide \xE9";
        expected.TableClass = "grille";
        expected.OutputKind = okXhtmlDocument;
        RunConversion(expected);
        const QByteArray written = ReadAll(Folder.filePath("ventes.html"));
        QCOMPARE(written, ReadAll(Folder.filePath("attendu.html")));
        QVERIFY(written.startsWith("<?xml"));
        QVERIFY(written.contains("<table class=\"grille\" border=\"1px\">"));
        QVERIFY(written.contains("vide \xE9"));
    }

    // The entries picked in the two lists reach the core: UTF-8 text, fields split at semicolons.
    void sourceFormatPickedInTheLists()
    {
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        WriteAll(Folder.filePath("points.csv"), "caf\xC3\xA9;b\r\n");
        TypeInto(form, "EditSrcFile", "points.csv");
        TypeInto(form, "EditDestFile", "points.html");
        for (const char* name : {"ComboBoxSourceEncoding", "ComboBoxFieldSeparator"}) {
            auto* list = form.findChild<QComboBox*>(QString::fromLatin1(name));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
        }
        QCOMPARE(form.findChild<QComboBox*>("ComboBoxSourceEncoding")->currentText(), QStringLiteral("UTF-8"));
        QCOMPARE(form.findChild<QComboBox*>("ComboBoxFieldSeparator")->currentText(), QStringLiteral("Point-virgule"));
        QCOMPARE(Click(form, "ButtonExecute"), 1);
        const QByteArray written = ReadAll(Folder.filePath("points.html"));
        QVERIFY2(written.contains("<th>caf&eacute;</th>") && written.contains("<th>b</th>"), written.constData());
    }

    void missingSourceKeepsEverything()
    {
        TFormMain form;
        Show(form);
        QDir::setCurrent(Folder.path());
        TypeInto(form, "EditSrcFile", "absent.txt");
        TypeInto(form, "EditDestFile", "absent.html");
        TypeInto(form, "EditRowClass", "ligne");
        QList<TShownMessage> shown;
        Click(form, "ButtonExecute", [&](QWidget* dialog) { shown.append(DescribeMessage(dialog)); });
        QCOMPARE(shown.size(), 1);
        const QString prefix = "Impossible d'ouvrir le fichier \"" + Folder.filePath("absent.txt") + "\". ";
        QVERIFY2(shown.front().Text.startsWith(prefix), qPrintable(shown.front().Text));
        QVERIFY(shown.front().Text.size() > prefix.size() + 1);
        QVERIFY(shown.front().Text.endsWith(u'.') && !shown.front().Text.endsWith(QStringLiteral("..")));
        QVERIFY(!QFile::exists(Folder.filePath("absent.html")));
        QCOMPARE(form.findChild<QLineEdit*>("EditSrcFile")->text(), QStringLiteral("absent.txt"));
        QCOMPARE(form.findChild<QLineEdit*>("EditRowClass")->text(), QStringLiteral("ligne"));
    }

    void borderFromTheControls_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QByteArray>("border");
        QTest::newRow("unticked") << false << "3" << "cm" << QByteArray();
        QTest::newRow("ticked without value") << true << "" << "mm" << QByteArray("mm");
        QTest::newRow("value and unit") << true << "2" << "em" << QByteArray("2em");
        QTest::newRow("letters") << true << "abc" << "pc" << QByteArray("abcpc");
    }

    void borderFromTheControls()
    {
        QFETCH(bool, ticked);
        QFETCH(QString, value);
        QFETCH(QString, unit);
        QFETCH(QByteArray, border);
        if (!ticked)
            QTest::mouseClick(Control<QWidget>("CheckBoxBorder"), Qt::LeftButton);
        Control<QComboBox>("ComboBoxBorderUnit")->setCurrentText(unit);
        TypeInto(*Form, "EditBorderValue", value);
        QCOMPARE(Control<QWidget>("EditBorderValue")->isEnabled(), true);
        QCOMPARE(RunFromTheWindow().Border, border.toStdString());
    }

    void headerCountsFromTheSpinFields_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("titleRows");
        // The core counts a negative count as none.
        QTest::newRow("negative") << "-2" << -2;
        QTest::newRow("decimal separator") << QString("1%15").arg(SystemDecimalSeparator()) << 0;
        QTest::newRow("blank") << "" << 0;
        QTest::newRow("number") << "12" << 12;
    }

    void headerCountsFromTheSpinFields()
    {
        QFETCH(QString, rows);
        QFETCH(int, titleRows);
        TypeInto(*Form, "EditTitleRows", rows);
        QCOMPARE(Control<QLineEdit>("EditTitleRows")->text(), rows);
        QCOMPARE(RunFromTheWindow().TitleRows, titleRows);
    }

    void keyboardPressesOnlyTheFocusedButton()
    {
        auto* rows = Control<QWidget>("EditTitleRows");
        QSignalSpy beeps(rows->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_Return);
        QTest::keyClick(Control<QWidget>("EditSrcFile"), Qt::Key_Return);
        QTest::keyClick(Form.get(), Qt::Key_Escape);
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(Control<QLineEdit>("EditTitleRows")->text(), QStringLiteral("1"));
        auto* execute = Control<QWidget>("ButtonExecute");
        execute->setFocus();
        QTest::keyClick(execute, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(Runs.size(), 0u);
        TModalHandler handler([](QWidget*) {});
        QTest::keyClick(execute, Qt::Key_Return);
        QCOMPARE(Runs.size(), 1u);
        QTest::keyClick(execute, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Runs.size(), 2u);
    }

    void sourcePicker()
    {
        const QString source = Folder.filePath("releve.2024.txt");
        WriteAll(source, "a\tb\r\n");
        TypeInto(*Form, "EditDestFile", "tapé.html");
        QFileDialog* seen = nullptr;
        QPoint seenAt;
        QPoint expectedAt;
        QCOMPARE(Click(*Form, "ButtonBrowseSrcFile", [&](QWidget* dialog) {
            seen = qobject_cast<QFileDialog*>(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("OpenDialog"));
            QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Sélection du fichier source"));
            QCOMPARE(seen->nameFilters(), FilterDescriptions(OpenPickerSetup));
            QCOMPARE(seen->selectedNameFilter(), QString::fromUtf8("Texte (séparateur : tabulation) (*.txt)"));
            QCOMPARE(seen->defaultSuffix(), QStringLiteral("txt"));
            QCOMPARE(seen->fileMode(), QFileDialog::ExistingFile);
            QCOMPARE(seen->acceptMode(), QFileDialog::AcceptOpen);
            QVERIFY(seen->isSizeGripEnabled());
            seenAt = dialog->pos();
            expectedAt = ToQPoint(PickerTopLeft(ToTRect(Form->screen()->geometry()),
                                                ToTSize(dialog->frameGeometry().size())));
            PickFile(dialog, source);
        }), 1);
        QVERIFY(seen != nullptr);
        QCOMPARE(seenAt, expectedAt);
        QCOMPARE(Control<QLineEdit>("EditSrcFile")->text(), source);
        QCOMPARE(Control<QLineEdit>("EditDestFile")->text(), Folder.filePath("releve.2024.html"));
        QCOMPARE(QDir::currentPath(), Folder.path());

        // Reopened, it offers the name it returned, not the field's, and its last file type lists
        // a file without an extension too; cancelled, it changes nothing.
        WriteAll(Folder.filePath("notes"), "x\r\n");
        Control<QLineEdit>("EditSrcFile")->clear();
        QStringList offered;
        Click(*Form, "ButtonBrowseSrcFile", [&](QWidget* dialog) {
            auto* picker = qobject_cast<QFileDialog*>(dialog);
            offered = picker->selectedFiles();
            picker->selectNameFilter(picker->nameFilters().constLast());
            QTRY_VERIFY(ListedNames(*picker).contains("notes"));
            picker->reject();
        });
        QCOMPARE(offered, QStringList{source});
        QCOMPARE(Control<QLineEdit>("EditSrcFile")->text(), QString());
        QCOMPARE(Control<QLineEdit>("EditDestFile")->text(), Folder.filePath("releve.2024.html"));
    }

    // Qt's dialog keeps its history, last folder and view in the settings shared by Qt programs:
    // none of it may reach the user's own store, and what the store held is left as it was.
    void pickersKeepNothingBetweenRuns()
    {
        const QString userConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        const QFileInfo userFile(userConfig + "/QtProject.conf");
        const QDateTime userFileChanged = userFile.lastModified();
        QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
        QVERIFY2(!shared.fileName().startsWith(userConfig), qPrintable(shared.fileName()));
        shared.setValue("FileDialog/viewMode", "List");
        shared.setValue("Autre/clef", 7);
        shared.sync();

        QCOMPARE(Click(*Form, "ButtonBrowseDestFile", [&](QWidget* dialog) {
            qobject_cast<QFileDialog*>(dialog)->setViewMode(QFileDialog::Detail);
            PickFile(dialog, Folder.filePath("choisi.html"));
        }), 1);
        Click(*Form, "ButtonBrowseSrcFile", [](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });

        shared.sync();
        QCOMPARE(shared.allKeys(), QStringList({"Autre/clef", "FileDialog/viewMode"}));
        QCOMPARE(shared.value("FileDialog/viewMode").toString(), QStringLiteral("List"));
        QCOMPARE(QFileInfo(userFile.filePath()).exists(), userFile.exists());
        QCOMPARE(QFileInfo(userFile.filePath()).lastModified(), userFileChanged);
        shared.clear();
    }

    void destinationPicker()
    {
        const QString existing = Folder.filePath("existant.html");
        WriteAll(existing, "ancien");
        TypeInto(*Form, "EditSrcFile", "source.txt");
        QCOMPARE(Click(*Form, "ButtonBrowseDestFile", [&](QWidget* dialog) {
            auto* picker = qobject_cast<QFileDialog*>(dialog);
            QCOMPARE(picker->objectName(), QStringLiteral("SaveDialog"));
            QCOMPARE(picker->windowTitle(), QString::fromUtf8("Sélection du fichier destination"));
            QCOMPARE(picker->nameFilters(), FilterDescriptions(SavePickerSetup));
            QCOMPARE(picker->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(picker->defaultSuffix(), QStringLiteral("html"));
            PickFile(dialog, existing);
        }), 1);  // no question about the existing file
        QCOMPARE(Control<QLineEdit>("EditDestFile")->text(), existing);
        QCOMPARE(Control<QLineEdit>("EditSrcFile")->text(), QStringLiteral("source.txt"));

        Click(*Form, "ButtonBrowseDestFile", [&](QWidget* dialog) { PickFile(dialog, Folder.filePath("sans")); });
        QCOMPARE(Control<QLineEdit>("EditDestFile")->text(), Folder.filePath("sans.html"));

        const QString tooLong = Folder.filePath(QString(250, u'n') + ".html");
        Click(*Form, "ButtonBrowseDestFile", [&](QWidget* dialog) { PickFile(dialog, tooLong); });
        QCOMPARE(Control<QLineEdit>("EditDestFile")->text(), Folder.filePath("sans.html"));
    }

    void relativeNamesResolveInThePickedFolder()
    {
        QTemporaryDir picked;
        const QString source = picked.filePath("feuille.txt");
        WriteAll(source, "x\r\n");
        TFormMain form;
        Show(form);
        Click(form, "ButtonBrowseSrcFile", [&](QWidget* dialog) { PickFile(dialog, source); });
        TypeInto(form, "EditDestFile", "relatif.html");
        QCOMPARE(Click(form, "ButtonExecute"), 1);
        QVERIFY(QFile::exists(picked.filePath("relatif.html")));
    }

    void maximisedWindowKeepsItsAnchors()
    {
        ShowMainWindow(*Form, TStartShow::Maximized);
        QTRY_VERIFY(Form->width() > 641);
        const int right = Form->width();
        const int bottom = Form->height();
        QCOMPARE(Control<QWidget>("ButtonExit")->geometry(), QRect(right - 113, bottom - 41, 97, 25));
        QCOMPARE(Control<QWidget>("EditSrcFile")->geometry(), QRect(16, 32, right - 128, 21));
        QCOMPARE(Control<QWidget>("ButtonBrowseDestFile")->pos(), QPoint(right - 105, 80));
        QCOMPARE(Control<QWidget>("EditTitleRows")->pos(), QPoint(168, 120));
    }

    // After a maximised start, restoring the window makes it fixed again at its own size.
    void restoreAfterAMaximisedStartIsFixed()
    {
        TFormMain form;
        ShowMainWindow(form, TStartShow::Maximized);
        QTRY_VERIFY(form.width() > 641);
        QVERIFY(form.maximumWidth() > form.minimumWidth());
        form.showNormal();
        QTRY_COMPARE(form.size(), QSize(641, 329));
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    // What is centred is the outer frame, by its size once the window is shown.
    void startCentresTheOuterFrame()
    {
        TFormMain form;
        ShowMainWindow(form, TStartShow::Normal);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect frame = form.frameGeometry();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(frame.topLeft(), ToQPoint(CentredTopLeft(ToTRect(screen), ToTSize(frame.size()))));
    }

    void droppedFileFillsTheFields_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("target");  // the control dropped on, empty for the window
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        const QStringList one{"file:///donnees/ventes.2024.txt"};
        QTest::newRow("on the window") << one << "" << true << "/donnees/ventes.2024.txt"
                                       << "/donnees/ventes.2024.html";
        QTest::newRow("on the source field") << one << "EditSrcFile" << true << "/donnees/ventes.2024.txt"
                                             << "/donnees/ventes.2024.html";
        QTest::newRow("on the destination field") << one << "EditDestFile" << true << ""
                                                  << "/donnees/ventes.2024.txt";
        QTest::newRow("two files") << QStringList{"file:///a.txt", "file:///b.txt"} << "" << false << "" << "tapé";
        QTest::newRow("not a local file") << QStringList{"https://exemple.fr/a.txt"} << "" << false << ""
                                          << "tapé";
    }

    void droppedFileFillsTheFields()
    {
        QFETCH(QStringList, urls);
        QFETCH(QString, target);
        QFETCH(bool, taken);
        QFETCH(QString, source);
        QFETCH(QString, destination);
        TypeInto(*Form, "EditDestFile", QString::fromUtf8("tapé"));
        QList<QUrl> dropped;
        for (const QString& url : urls)
            dropped.append(QUrl(url));
        const QPoint position = target.isEmpty()
                                    ? QPoint(388, 300)
                                    : Form->findChild<QWidget*>(target)->geometry().center();
        QCOMPARE(Form->childAt(position) == nullptr, target.isEmpty());
        QCOMPARE(DropOn(*Form, dropped, position), taken);
        QCOMPARE(Control<QLineEdit>("EditSrcFile")->text(), source);
        QCOMPARE(Control<QLineEdit>("EditDestFile")->text(), destination);
    }

    // "Open with" names one file, which the window takes as the source, relative to the folder
    // the program starts in; any other command line leaves the window as it starts.
    void fileNamedOnTheCommandLine()
    {
        QDir::setCurrent(Folder.path());
        const QByteArray name = QFile::encodeName(QString::fromUtf8("relevé.txt"));
        const char* one[] = {"tabulor", name.constData()};
        TFormMain opened;
        opened.OpenFiles(CommandLineFileNames(2, one));
        QCOMPARE(opened.findChild<QLineEdit*>("EditSrcFile")->text(), Folder.filePath(QString::fromUtf8("relevé.txt")));
        QCOMPARE(opened.findChild<QLineEdit*>("EditDestFile")->text(), Folder.filePath(QString::fromUtf8("relevé.html")));

        const char* two[] = {"tabulor", "a.txt", "b.txt"};
        const char* none[] = {"tabulor"};
        for (const std::vector<std::u16string>& names : {CommandLineFileNames(3, two), CommandLineFileNames(1, none)}) {
            TFormMain form;
            form.OpenFiles(names);
            QCOMPARE(form.findChild<QLineEdit*>("EditSrcFile")->text(), QString());
            QCOMPARE(form.findChild<QLineEdit*>("EditDestFile")->text(), QString());
        }
    }

    void exitClosesTheWindow()
    {
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QTest::mouseClick(Control<QWidget>("ButtonExit"), Qt::LeftButton);
        QVERIFY(!Form->isVisible());
    }

private:
    template <typename Widget>
    Widget* Control(const char* name) const
    {
        return Form->findChild<Widget*>(QString::fromLatin1(name));
    }

    static void Show(QWidget& form)
    {
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }

    static void TypeInto(QWidget& form, const char* name, const QString& text)
    {
        auto* edit = form.findChild<QLineEdit*>(QString::fromLatin1(name));
        edit->setFocus();
        edit->selectAll();
        edit->del();
        tabulor::test::TypeText(edit, text);
        QCOMPARE(edit->text(), text);
    }

    // Clicks a button of form, handing each modal window it opens to onModal; gives their number.
    static int Click(QWidget& form, const char* button,
                     std::function<void(QWidget*)> onModal = [](QWidget*) {})
    {
        TModalHandler handler(std::move(onModal));
        QTest::mouseClick(form.findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
        return handler.Handled();
    }

    // The stops that Tab visits by the shell's rule from the source field round to it again.
    static QStringList ShellTabCycle(std::string_view selectedOutput)
    {
        QStringList names{"EditSrcFile"};
        do
            names.append(ToQString(NextTabStop(names.constLast().toStdString(), true, selectedOutput)));
        while (names.constLast() != "EditSrcFile");
        return names;
    }

    QStringList TabSequence(qsizetype count) const
    {
        QStringList names{QApplication::focusWidget()->objectName()};
        while (names.size() < count) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            names.append(QApplication::focusWidget()->objectName());
        }
        return names;
    }

    TConversionSettings RunFromTheWindow()
    {
        Click(*Form, "ButtonExecute");
        return Runs.empty() ? TConversionSettings() : Runs.back();
    }

    QString StartFolder;
    QTemporaryDir Folder;
    std::unique_ptr<TFormMain> Form;
    std::vector<TConversionSettings> Runs;
};

TABULOR_TEST_MAIN(TFormMainTest)
#include "form_main_test.moc"
