#include "qt/form_main.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "qt/application.h"
#include "qt/button.h"
#include "qt/form_controls.h"
#include "qt/shell_types.h"
#include "qt/spin_edit.h"
#include "resources/string_table.h"
#include "shell/file_names.h"
#include "shell/focus.h"
#include "shell/layout.h"
#include "shell/pickers.h"
#include "shell/request.h"

namespace tabulor {
namespace {

constexpr Qt::WindowFlags SingleFixedFrame = Qt::Window | Qt::CustomizeWindowHint
                                             | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                             | Qt::WindowMinimizeButtonHint
                                             | Qt::WindowCloseButtonHint;

const QSize ClientSize(FormClientSize.Width, FormClientSize.Height);

// Creates the controls before the members that need them are made.
QWidget& LaidOut(QWidget& form)
{
    CreateFormControls(form);
    return form;
}

template <typename TControl>
void LookUp(const QWidget& form, TControl*& member, const char* name)
{
    member = form.findChild<TControl*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (member == nullptr)
        throw std::logic_error(std::string("the window lacks its control ") + name);
}

// A URL that is no local file counts as an empty name, which is no file to open.
std::vector<std::u16string> DroppedFileNames(const QMimeData& data)
{
    std::vector<std::u16string> names;
    for (const QUrl& url : data.urls())
        names.push_back(url.toLocalFile().toStdU16String());
    return names;
}

}  // namespace

TFormMain::TFormMain(TConversionRun run)
    : OpenDialog(OpenPickerSetup),
      SaveDialog(SavePickerSetup),
      Run(std::move(run)),
      Anchors(LaidOut(*this))
{
    LookUp(*this, LabelSrcFile, "LabelSrcFile");
    LookUp(*this, EditSrcFile, "EditSrcFile");
    LookUp(*this, ButtonBrowseSrcFile, "ButtonBrowseSrcFile");
    LookUp(*this, LabelDestFile, "LabelDestFile");
    LookUp(*this, EditDestFile, "EditDestFile");
    LookUp(*this, ButtonBrowseDestFile, "ButtonBrowseDestFile");
    LookUp(*this, CheckBoxBorder, "CheckBoxBorder");
    LookUp(*this, ComboBoxBorderUnit, "ComboBoxBorderUnit");
    LookUp(*this, LabelTableClass, "LabelTableClass");
    LookUp(*this, EditTableClass, "EditTableClass");
    LookUp(*this, LabelTitleRows, "LabelTitleRows");
    LookUp(*this, EditTitleRows, "EditTitleRows");
    LookUp(*this, LabelHeaderClass, "LabelHeaderClass");
    LookUp(*this, EditHeaderClass, "EditHeaderClass");
    LookUp(*this, LabelTitleCols, "LabelTitleCols");
    LookUp(*this, EditTitleCols, "EditTitleCols");
    LookUp(*this, LabelCellClass, "LabelCellClass");
    LookUp(*this, EditCellClass, "EditCellClass");
    LookUp(*this, ButtonExecute, "ButtonExecute");
    LookUp(*this, ButtonExit, "ButtonExit");
    LookUp(*this, RadioButtonOutputTable, "RadioButtonOutputTable");
    LookUp(*this, RadioButtonOutputHTML, "RadioButtonOutputHTML");
    LookUp(*this, RadioButtonOutputXHTML, "RadioButtonOutputXHTML");
    LookUp(*this, LabelEmptyCells, "LabelEmptyCells");
    LookUp(*this, EditEmptyCells, "EditEmptyCells");
    LookUp(*this, LabelRowClass, "LabelRowClass");
    LookUp(*this, EditRowClass, "EditRowClass");
    LookUp(*this, EditBorderValue, "EditBorderValue");

    setWindowTitle(ToQString(FormCaption));
    setWindowFlags(SingleFixedFrame);
    setFixedSize(ClientSize);
    setAcceptDrops(true);
    connect(ButtonBrowseSrcFile, &QPushButton::clicked, this,
            Guarded([this] { ButtonBrowseSrcFileClick(); }));
    connect(ButtonBrowseDestFile, &QPushButton::clicked, this,
            Guarded([this] { ButtonBrowseDestFileClick(); }));
    connect(ButtonExecute, &QPushButton::clicked, this, Guarded([this] { ButtonExecuteClick(); }));
    connect(ButtonExit, &QPushButton::clicked, this, Guarded([this] { ButtonExitClick(); }));
    for (QRadioButton* radio : {RadioButtonOutputTable, RadioButtonOutputHTML, RadioButtonOutputXHTML})
        radio->installEventFilter(this);
    EditSrcFile->setFocus();
}

void TFormMain::OpenFiles(std::span<const std::u16string> names)
{
    if (const std::optional<std::u16string> name = SingleFileName(names))
        ChooseSource(ToQString(*name));
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    RunGuarded([&] {
        QWidget::resizeEvent(event);
        Anchors.Apply(size());
    });
}

void TFormMain::changeEvent(QEvent* event)
{
    RunGuarded([&] {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange)
            FixSizeUnlessMaximized();
    });
}

// Maximised, the window fills what the platform gives it; in every other state, a restore
// after a maximised start included, the user cannot resize it.
void TFormMain::FixSizeUnlessMaximized()
{
    if (windowState().testFlag(Qt::WindowMaximized))
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    else
        setFixedSize(ClientSize);
}

// Qt keeps only the last focused radio button of a group in its tab sequence, which is another
// one than the selected after a selection by the program or before the group was ever focused:
// the window keeps the tab sequence itself.
bool TFormMain::focusNextPrevChild(bool next)
{
    return RunGuarded([&] {
        const std::string current = focusWidget() != nullptr
                                        ? focusWidget()->objectName().toStdString()
                                        : std::string();
        const std::string selected = SelectedOutput()->objectName().toStdString();
        auto* target = findChild<QWidget*>(ToQString(NextTabStop(current, next, selected)),
                                           Qt::FindDirectChildrenOnly);
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    });
}

// The four arrow keys go round the output kinds and select the one they reach, as on Windows;
// Qt's own radio buttons know only two of them and stop at the ends.
bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    return RunGuarded([&] {
        if (event->type() != QEvent::KeyPress)
            return QWidget::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool forward = key->key() == Qt::Key_Right || key->key() == Qt::Key_Down;
        if (!forward && key->key() != Qt::Key_Left && key->key() != Qt::Key_Up)
            return QWidget::eventFilter(watched, event);
        const std::string current = watched->objectName().toStdString();
        auto* next = findChild<QRadioButton*>(ToQString(NextOutputKind(current, forward)),
                                              Qt::FindDirectChildrenOnly);
        next->setFocus(Qt::OtherFocusReason);
        next->setChecked(true);
        return true;
    });
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event)
{
    RunGuarded([&] {
        if (SingleFileName(DroppedFileNames(*event->mimeData())))
            event->acceptProposedAction();
    });
}

void TFormMain::dropEvent(QDropEvent* event)
{
    RunGuarded([&] {
        const std::optional<std::u16string> name =
            SingleFileName(DroppedFileNames(*event->mimeData()));
        if (!name)
            return;
        event->acceptProposedAction();
        DropFile(ToQString(*name), event->position().toPoint());
    });
}

// The destination field takes a file dropped on it alone; anywhere else the file is the source.
void TFormMain::DropFile(const QString& name, QPoint position)
{
    if (EditDestFile->geometry().contains(position))
        EditDestFile->setText(name);
    else
        ChooseSource(name);
}

void TFormMain::ChooseSource(const QString& name)
{
    const TFileFields fields = SourceChosen(name.toStdU16String());
    EditSrcFile->setText(ToQString(fields.SrcFile));
    EditDestFile->setText(ToQString(fields.DestFile));
}

void TFormMain::ButtonBrowseSrcFileClick()
{
    if (OpenDialog.Execute(this))
        ChooseSource(OpenDialog.FileName());
}

void TFormMain::ButtonBrowseDestFileClick()
{
    if (SaveDialog.Execute(this))
        EditDestFile->setText(SaveDialog.FileName());
}

// An error of the run leaves this handler unhandled, so no notice follows it.
void TFormMain::ButtonExecuteClick()
{
    Run(MakeConversionSettings(ReadFields()));
    TApplication::Instance()->ShowNotice(QString::fromUtf8(strings::SFileCreated));
}

void TFormMain::ButtonExitClick()
{
    close();
}

QRadioButton* TFormMain::SelectedOutput() const
{
    for (QRadioButton* radio : {RadioButtonOutputHTML, RadioButtonOutputXHTML}) {
        if (radio->isChecked())
            return radio;
    }
    return RadioButtonOutputTable;
}

TFormFields TFormMain::ReadFields() const
{
    const auto control = [this](std::string_view name) {
        return findChild<QWidget*>(ToQString(name), Qt::FindDirectChildrenOnly);
    };
    return ReadFormFields({
        [control](std::string_view name) {
            const QWidget* widget = control(name);
            if (const auto* combo = qobject_cast<const QComboBox*>(widget))
                return combo->currentText().toStdU16String();
            return qobject_cast<const QLineEdit*>(widget)->text().toStdU16String();
        },
        [control](std::string_view name) {
            return qobject_cast<const QAbstractButton*>(control(name))->isChecked();
        },
    });
}

}  // namespace tabulor
