#include "qt/form_main.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <optional>
#include <vector>

#include "qt/application.h"
#include "qt/shell_types.h"
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

// A URL that is no local file counts as an empty name, which is no file to open.
std::vector<std::u16string> DroppedFileNames(const QMimeData& data)
{
    std::vector<std::u16string> names;
    for (const QUrl& url : data.urls())
        names.push_back(url.toLocalFile().toStdU16String());
    return names;
}

// Which way an arrow key goes round the output kinds: forward for Right and Down; none for any
// other event.
std::optional<bool> ArrowForward(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return std::nullopt;
    switch (static_cast<const QKeyEvent&>(event).key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return false;
    default:
        return std::nullopt;
    }
}

// A field whose text stays as it is keeps its cursor, selection and undo history.
void SetFileName(QLineEdit& field, std::u16string_view name)
{
    const QString text = ToQString(name);
    if (field.text() != text)
        field.setText(text);
}

}  // namespace

TFormMain::TFormMain(TConversionRun run)
    : OpenDialog(OpenPickerSetup), SaveDialog(SavePickerSetup), Run(std::move(run))
{
    Controls = CreateFormControls(*this);
    Anchors = TAnchors(Controls);
    EditSrcFile = Controls.As<QLineEdit>(TControlId::EditSrcFile);
    EditDestFile = Controls.As<QLineEdit>(TControlId::EditDestFile);

    setWindowTitle(ToQString(FormCaption));
    setWindowFlags(SingleFixedFrame);
    setFixedSize(ClientSize);
    setAcceptDrops(true);
    OnClick(TControlId::ButtonBrowseSrcFile, &TFormMain::ButtonBrowseSrcFileClick);
    OnClick(TControlId::ButtonBrowseDestFile, &TFormMain::ButtonBrowseDestFileClick);
    OnClick(TControlId::ButtonExecute, &TFormMain::ButtonExecuteClick);
    OnClick(TControlId::ButtonExit, &TFormMain::ButtonExitClick);
    for (const TControlLayout& entry : FormControls()) {
        if (IsOutputKind(entry.Id))
            Controls[entry.Id]->installEventFilter(this);
    }
    // The window opens on its first tab stop.
    Controls[NextTabStop(std::nullopt, true, SelectedOutput())]->setFocus();
}

void TFormMain::OnClick(TControlId button, void (TFormMain::*handler)())
{
    connect(Controls.As<QAbstractButton>(button), &QAbstractButton::clicked, this,
            Guarded([this, handler] { (this->*handler)(); }));
}

void TFormMain::OpenFiles(std::span<const std::u16string> names)
{
    if (const std::optional<std::u16string> name = SingleFileName(names))
        ChooseSource(*name);
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
        const TControlId target = NextTabStop(Controls.IdOf(focusWidget()), next, SelectedOutput());
        Controls[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    });
}

// The four arrow keys go round the output kinds and select the one they reach, as on Windows;
// Qt's own radio buttons know only two of them and stop at the ends.
bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    return RunGuarded([&] {
        const std::optional<bool> forward = ArrowForward(*event);
        const std::optional<TControlId> current = Controls.IdOf(watched);
        if (!forward || !current)
            return QWidget::eventFilter(watched, event);
        auto* next = Controls.As<QAbstractButton>(NextOutputKind(*current, *forward));
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
        const bool onDestination = EditDestFile->geometry().contains(event->position().toPoint());
        ShowFileFields(FileDropped(FileFields(), *name, onDestination));
    });
}

void TFormMain::ChooseSource(std::u16string_view name)
{
    ShowFileFields(SourceChosen(name));
}

TFileFields TFormMain::FileFields() const
{
    return {EditSrcFile->text().toStdU16String(), EditDestFile->text().toStdU16String()};
}

void TFormMain::ShowFileFields(const TFileFields& fields)
{
    SetFileName(*EditSrcFile, fields.SourceFileName);
    SetFileName(*EditDestFile, fields.DestFileName);
}

void TFormMain::ButtonBrowseSrcFileClick()
{
    if (OpenDialog.Execute(this))
        ChooseSource(OpenDialog.FileName().toStdU16String());
}

void TFormMain::ButtonBrowseDestFileClick()
{
    if (SaveDialog.Execute(this))
        EditDestFile->setText(SaveDialog.FileName());
}

// An error of the run leaves this handler unhandled, so no notice follows it.
void TFormMain::ButtonExecuteClick()
{
    Run(MakeConversionSettings(ReadFormFields(Controls.Reader())));
    TApplication::Instance()->ShowNotice(QString::fromUtf8(strings::SFileCreated));
}

void TFormMain::ButtonExitClick()
{
    close();
}

TControlId TFormMain::SelectedOutput() const
{
    return SelectedOutputKind(Controls.Reader().Checked);
}

}  // namespace tabulor
