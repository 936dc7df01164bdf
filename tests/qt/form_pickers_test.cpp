// How the main window's files are chosen: the two pickers (their titles, filters, place and the
// name they remember), a file dropped on the window, a file named on the command line.
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "form_fixture.h"
#include "qt/start_show.h"
#include "shell/file_names.h"
#include "shell/pickers.h"
#include "shell/placement.h"

using namespace tabulor;
using namespace tabulor::test;

namespace {

QStringList FilterDescriptions(const TPickerSetup& setup)
{
    QStringList descriptions;
    for (const TPickerFilter& filter : setup.Filters)
        descriptions.append(ToQString(filter.Description));
    return descriptions;
}

// The file types that a picker's list of them shows, and the one selected.
QStringList ShownFilters(const QFileDialog& picker)
{
    const auto* types = picker.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown.append(types->itemText(i));
    return shown;
}

QString SelectedFilter(const QFileDialog& picker)
{
    return picker.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
}

// The names that a file picker's list shows.
QStringList ListedNames(const QFileDialog& picker)
{
    const auto* view = picker.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
    return names;
}

// Picks name in a file picker as a user who types it would.
void PickFile(QWidget* picker, const QString& name)
{
    auto* fileName = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(fileName != nullptr);
    picker->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(picker));
    fileName->setFocus();
    fileName->setText(name);
    qobject_cast<QDialog*>(picker)->accept();
}

// A file of folder whose full name is length characters long.
QString NameOfLength(const QTemporaryDir& folder, qsizetype length)
{
    const QString start = folder.filePath(QStringLiteral("n"));
    const QString end = QStringLiteral(".html");
    return start + QString(length - start.size() - end.size(), u'n') + end;
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

// A point of the window that no control covers: between the separator list and "Exécuter".
QPoint EmptySpot()
{
    const TRect list = Control(TControlId::ComboBoxFieldSeparator).Bounds;
    const TRect button = Control(TControlId::ButtonExecute).Bounds;
    return {(list.Left + list.Width + button.Left) / 2, button.Top + button.Height / 2};
}

QString FieldText(const QWidget& form, TControlId field)
{
    return Find<QLineEdit>(form, field)->text();
}

}  // namespace

class TFormPickersTest : public QObject, private tabulor::test::TFormFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Folder.isValid()); }
    void init() { Open(); }
    void cleanup() { Close(); }

    void sourcePicker()
    {
        TFormMain& form = Window->Form;
        const QString source = Folder.filePath("releve.2024.txt");
        WriteAll(source, "a\tb\r\n");
        TypeInto(form, TControlId::EditDestFile, QString::fromUtf8("tapé.html"));
        const TPickerSetup setup = OpenPickerSetup(FileSystem);
        QFileDialog* seen = nullptr;
        QPoint seenAt;
        QPoint expectedAt;
        QCOMPARE(Click(form, TControlId::ButtonBrowseSrcFile, [&](QWidget* picker) {
            seen = qobject_cast<QFileDialog*>(picker);
            QCOMPARE(picker->objectName(), ToQString(setup.Name));
            QCOMPARE(picker->windowTitle(), ToQString(setup.Title));
            QCOMPARE(ShownFilters(*seen), FilterDescriptions(setup));
            QCOMPARE(SelectedFilter(*seen), FilterDescriptions(setup).front());
            QCOMPARE(seen->defaultSuffix(), ToQString(setup.DefaultExtension));
            QCOMPARE(seen->fileMode(), QFileDialog::ExistingFile);
            QCOMPARE(seen->acceptMode(), QFileDialog::AcceptOpen);
            QVERIFY(seen->isSizeGripEnabled());
            seenAt = picker->pos();
            expectedAt = ToQPoint(PickerTopLeft(ToTRect(form.screen()->geometry()),
                                                ToTSize(picker->frameGeometry().size())));
            PickFile(picker, source);
        }), 1);
        QVERIFY(seen != nullptr);
        QCOMPARE(seenAt, expectedAt);
        const TFileFields chosen = SourceChosen(source.toStdU16String(), FileSystem);
        QCOMPARE(FieldText(form, TControlId::EditSrcFile), ToQString(chosen.SourceFileName));
        QCOMPARE(FieldText(form, TControlId::EditDestFile), ToQString(chosen.DestFileName));
        QCOMPARE(QDir::currentPath(), Folder.path());

        // Reopened, it offers the name it returned, not the field's, and its last file type lists
        // a file without an extension too; cancelled, it changes nothing.
        WriteAll(Folder.filePath("notes"), "x\r\n");
        Find<QLineEdit>(form, TControlId::EditSrcFile)->clear();
        QStringList offered;
        Click(form, TControlId::ButtonBrowseSrcFile, [&](QWidget* window) {
            auto* picker = qobject_cast<QFileDialog*>(window);
            offered = picker->selectedFiles();
            picker->selectNameFilter(picker->nameFilters().constLast());
            QTRY_VERIFY(ListedNames(*picker).contains("notes"));
            picker->reject();
        });
        QCOMPARE(offered, QStringList{source});
        QCOMPARE(FieldText(form, TControlId::EditSrcFile), QString());
        QCOMPARE(FieldText(form, TControlId::EditDestFile), ToQString(chosen.DestFileName));
    }

    // Each file type lists the files its patterns name, the workbooks' three among them.
    void sourceFiltersListTheirFiles()
    {
        const QTemporaryDir folder;
        for (const char* name : {"a.txt", "b.csv", "c.xlsx", "d.xlsm", "e.ods", "f.xls"})
            WriteAll(folder.filePath(name), "x");
        const QStringList all = {"a.txt", "b.csv", "c.xlsx", "d.xlsm", "e.ods", "f.xls"};
        const QList<QStringList> expected = {{"a.txt"}, {"b.csv"}, {"c.xlsx", "d.xlsm", "e.ods"}, all};
        QCOMPARE(qsizetype(OpenPickerSetup(FileSystem).Filters.size()), expected.size());
        Click(Window->Form, TControlId::ButtonBrowseSrcFile, [&](QWidget* window) {
            auto* picker = qobject_cast<QFileDialog*>(window);
            picker->setDirectory(folder.path());
            for (qsizetype i = 0; i < expected.size(); ++i) {
                picker->selectNameFilter(picker->nameFilters().at(i));
                QTRY_COMPARE(ListedNames(*picker), expected[i]);
            }
            picker->reject();
        });
    }

    // Qt's file dialog keeps its history, last folder and view in the settings shared by Qt
    // programs: none of it may reach the user's own store, and what the store held is left as it
    // was.
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

        QCOMPARE(Click(Window->Form, TControlId::ButtonBrowseDestFile, [&](QWidget* picker) {
            qobject_cast<QFileDialog*>(picker)->setViewMode(QFileDialog::Detail);
            PickFile(picker, Folder.filePath("choisi.html"));
        }), 1);
        Click(Window->Form, TControlId::ButtonBrowseSrcFile,
              [](QWidget* picker) { qobject_cast<QDialog*>(picker)->reject(); });

        shared.sync();
        QCOMPARE(shared.allKeys(), QStringList({"Autre/clef", "FileDialog/viewMode"}));
        QCOMPARE(shared.value("FileDialog/viewMode").toString(), QStringLiteral("List"));
        QCOMPARE(QFileInfo(userFile.filePath()).exists(), userFile.exists());
        QCOMPARE(QFileInfo(userFile.filePath()).lastModified(), userFileChanged);
        shared.clear();
    }

    // The destination picker asks nothing about an existing file, appends its extension to a
    // name without one, and returns no name that the Windows dialogs could not.
    void destinationPicker()
    {
        TFormMain& form = Window->Form;
        const QString existing = Folder.filePath("existant.html");
        WriteAll(existing, "ancien");
        TypeInto(form, TControlId::EditSrcFile, "source.txt");
        QCOMPARE(Click(form, TControlId::ButtonBrowseDestFile, [&](QWidget* window) {
            auto* picker = qobject_cast<QFileDialog*>(window);
            QCOMPARE(picker->objectName(), ToQString(SavePickerSetup.Name));
            QCOMPARE(picker->windowTitle(), ToQString(SavePickerSetup.Title));
            QCOMPARE(ShownFilters(*picker), FilterDescriptions(SavePickerSetup));
            QCOMPARE(picker->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(picker->defaultSuffix(), ToQString(SavePickerSetup.DefaultExtension));
            PickFile(window, existing);
        }), 1);
        QCOMPARE(FieldText(form, TControlId::EditDestFile), existing);
        QCOMPARE(FieldText(form, TControlId::EditSrcFile), QStringLiteral("source.txt"));

        Click(form, TControlId::ButtonBrowseDestFile,
              [&](QWidget* picker) { PickFile(picker, Folder.filePath("sans")); });
        QCOMPARE(FieldText(form, TControlId::EditDestFile),
                 Folder.filePath("sans.") + ToQString(SavePickerSetup.DefaultExtension));

        const QString longest = NameOfLength(Folder, PickerBufferLength - 1);
        Click(form, TControlId::ButtonBrowseDestFile, [&](QWidget* picker) { PickFile(picker, longest); });
        QCOMPARE(FieldText(form, TControlId::EditDestFile), longest);
        const QString tooLong = NameOfLength(Folder, PickerBufferLength);
        Click(form, TControlId::ButtonBrowseDestFile, [&](QWidget* picker) { PickFile(picker, tooLong); });
        QCOMPARE(FieldText(form, TControlId::EditDestFile), longest);
    }

    void relativeNamesResolveInThePickedFolder()
    {
        QTemporaryDir picked;
        const QString source = picked.filePath("feuille.txt");
        WriteAll(source, "x\r\n");
        TFormMain form;
        Show(form);
        Click(form, TControlId::ButtonBrowseSrcFile, [&](QWidget* picker) { PickFile(picker, source); });
        TypeInto(form, TControlId::EditDestFile, "relatif.html");
        QCOMPARE(Click(form, TControlId::ButtonExecute), 1);
        QVERIFY(QFile::exists(picked.filePath("relatif.html")));
    }

    // One local file is taken, where it is dropped deciding what it sets; anything else is not.
    void droppedFile_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("target");  // the control dropped on, empty for the window
        QTest::addColumn<bool>("taken");
        const QList<QUrl> one{QUrl::fromLocalFile("/donnees/ventes.2024.txt")};
        QTest::newRow("on the window") << one << QString() << true;
        QTest::newRow("on the source field") << one << NameOf(TControlId::EditSrcFile) << true;
        QTest::newRow("on the destination field") << one << NameOf(TControlId::EditDestFile) << true;
        QTest::newRow("two files") << QList<QUrl>{QUrl::fromLocalFile("/a.txt"), QUrl::fromLocalFile("/b.txt")}
                                   << QString() << false;
        QTest::newRow("not a local file") << QList<QUrl>{QUrl("https://exemple.fr/a.txt")} << QString() << false;
    }

    void droppedFile()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, target);
        QFETCH(bool, taken);
        TFormMain& form = Window->Form;
        TypeInto(form, TControlId::EditDestFile, QString::fromUtf8("tapé"));
        const TFileFields typed = {u"", u"tapé"};
        const QPoint position = target.isEmpty() ? EmptySpot() : form.findChild<QWidget*>(target)->geometry().center();
        QCOMPARE(form.childAt(position) == nullptr, target.isEmpty());
        QCOMPARE(DropOn(form, urls, position), taken);
        const bool onDestination = target == NameOf(TControlId::EditDestFile);
        const TFileFields expected =
            taken ? FileDropped(typed, urls.front().toLocalFile().toStdU16String(), onDestination, FileSystem)
                  : typed;
        QCOMPARE(FieldText(form, TControlId::EditSrcFile), ToQString(expected.SourceFileName));
        QCOMPARE(FieldText(form, TControlId::EditDestFile), ToQString(expected.DestFileName));
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
        const TFileFields chosen =
            SourceChosen(Folder.filePath(QString::fromUtf8("relevé.txt")).toStdU16String(), FileSystem);
        QCOMPARE(FieldText(opened, TControlId::EditSrcFile), ToQString(chosen.SourceFileName));
        QCOMPARE(FieldText(opened, TControlId::EditDestFile), ToQString(chosen.DestFileName));

        const char* two[] = {"tabulor", "a.txt", "b.txt"};
        const char* none[] = {"tabulor"};
        for (const std::vector<std::u16string>& names : {CommandLineFileNames(3, two), CommandLineFileNames(1, none)}) {
            TFormMain form;
            form.OpenFiles(names);
            for (const TControlId field : {TControlId::EditSrcFile, TControlId::EditDestFile})
                QCOMPARE(FieldText(form, field), ToQString(Control(field).Text));
        }
    }
};

TABULOR_TEST_MAIN(TFormPickersTest)
#include "form_pickers_test.moc"
