#include "qt/form_main.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <optional>
#include <vector>

#include "qt/application.h"
#include "qt/guard.h"
#include "qt/keys.h"
#include "qt/shell_types.h"
#include "qt/wait_cursor.h"
#include "shell/file_names.h"
#include "shell/focus.h"
#include "shell/keys.h"
#include "shell/layout.h"
#include "shell/messages.h"
#include "shell/pickers.h"
#include "shell/request.h"
#include "shell/sheet_list.h"

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

}  // namespace

TFormMain::TFormMain(TConversionRun run)
    : OpenDialog(OpenPickerSetup(FileSystem)), SaveDialog(SavePickerSetup), Run(std::move(run))
{
    Widgets = CreateFormWidgets(*this);
    Anchors = TAnchors(Widgets);
    EditSrcFile = Widgets.As<QLineEdit>(TControlId::EditSrcFile);
    EditDestFile = Widgets.As<QLineEdit>(TControlId::EditDestFile);

    setWindowTitle(ToQString(FormTitle));
    setWindowFlags(SingleFixedFrame);
    setFixedSize(ClientSize);
    setAcceptDrops(true);
    OnClick(TControlId::ButtonBrowseSrcFile, &TFormMain::ButtonBrowseSrcFileClick);
    OnClick(TControlId::ButtonBrowseDestFile, &TFormMain::ButtonBrowseDestFileClick);
    OnClick(TControlId::ButtonExecute, &TFormMain::ButtonExecuteClick);
    OnClick(TControlId::ButtonExit, &TFormMain::ButtonExitClick);
    for (const TControlLayout& entry : FormControls())
        Widgets[entry.Id]->installEventFilter(this);
    ShowSourceView(View);
    // The window opens on its first tab stop.
    Widgets[NextTabStop(std::nullopt, true, SelectedOutput(), View)]->setFocus();
}

void TFormMain::OnClick(TControlId button, void (TFormMain::*handler)())
{
    connect(Widgets.As<QAbstractButton>(button), &QAbstractButton::clicked, this,
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
// the window keeps the tab sequence itself, for the moves that Qt makes of its own accord too
// (Tab with no control focused, an arrow key on a push button or the check box).
bool TFormMain::focusNextPrevChild(bool next)
{
    return RunGuarded([&] {
        const TControlId target = NextTabStop(Widgets.IdOf(focusWidget()), next, SelectedOutput(), View);
        Widgets[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    });
}

// Every key that the window's rules name is taken before the focused control sees it. Qt's own
// radio buttons know only two of the arrows and stop at the ends, and its push buttons outside a
// dialog take no Enter.
bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    return RunGuarded([&] {
        if (event->type() == QEvent::FocusOut && watched == EditSrcFile)
            SourceFieldLeft(static_cast<const QFocusEvent&>(*event));
        const std::optional<TControlId> focused = Widgets.IdOf(watched);
        if (event->type() != QEvent::KeyPress || !focused)
            return QWidget::eventFilter(watched, event);
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const TModifiers held = ModifiersOf(key);
        const TFormKeyAnswer answer = AnswerFormKey(KeyOf(key), held, focused, SelectedOutput(), View);
        switch (answer.Action) {
        case TFormKeyAction::None:
            return QWidget::eventFilter(watched, event);
        case TFormKeyAction::Focus:
            Widgets[answer.Target]->setFocus(held.Shift ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            break;
        case TFormKeyAction::Select:
            Widgets[answer.Target]->setFocus(Qt::OtherFocusReason);
            Widgets.As<QAbstractButton>(answer.Target)->setChecked(true);
            break;
        case TFormKeyAction::Press:
            Widgets.As<QAbstractButton>(answer.Target)->click();
            break;
        }
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
        ShowFileFields(FileDropped(ReadFileFields(Widgets.Reader()), *name, onDestination, FileSystem));
        if (!onDestination)
            SettleSource();
    });
}

void TFormMain::ChooseSource(std::u16string_view name)
{
    ShowFileFields(SourceChosen(name, FileSystem));
    SettleSource();
}

// A name typed in the field is settled once the user is done with it; the field's own context
// menu takes the focus without ending the typing.
void TFormMain::SourceFieldLeft(const QFocusEvent& event)
{
    if (event.reason() != Qt::PopupFocusReason && EditSrcFile->text() != SettledSource)
        SettleSource();
}

// Shows the controls of what the source field names and, for a workbook, lists its sheets with
// the sheet chosen before kept where the workbook has it.
void TFormMain::SettleSource()
{
    const TWaitCursor waiting;
    const QString source = EditSrcFile->text();
    const std::u16string name = source.toStdU16String();
    const TSourceState state = SourceStateOf(name, Widgets.Reader().Text(TControlId::ComboBoxSheet));
    if (state.View == TSourceView::Workbook)
        ShowSheets(state.Sheets);
    ShowSourceView(state.View);
    SettledSource = source;
}

// Each entry keeps its sheet's own name, which the request reads.
void TFormMain::ShowSheets(const TSheetList& sheets)
{
    auto* list = Widgets.As<QComboBox>(TControlId::ComboBoxSheet);
    list->clear();
    for (const TSheetChoice& choice : sheets.Choices)
        list->addItem(ToQString(choice.Entry), ToQString(choice.Name));
    if (!sheets.Choices.empty())
        list->setCurrentIndex(static_cast<int>(sheets.Selected));
}

// The control that takes the focus's place is shown before it takes the focus, and the one that
// had it is hidden after: Qt would otherwise move the focus of its own accord.
void TFormMain::ShowSourceView(TSourceView view)
{
    View = view;
    if (const std::optional<TControlId> moved = FocusMovedBy(Widgets.IdOf(focusWidget()), view)) {
        Widgets[*moved]->show();
        Widgets[*moved]->setFocus(Qt::OtherFocusReason);
    }
    for (const TControlLayout& entry : FormControls())
        Widgets[entry.Id]->setHidden(!IsShown(entry.Id, view));
}

void TFormMain::ShowFileFields(const TFileFields& fields)
{
    WriteFileFields(fields, Widgets.Reader(), [this](TControlId id, std::u16string_view name) {
        Widgets.As<QLineEdit>(id)->setText(ToQString(name));
    });
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
    const TConversionReport report = [this] {
        const TWaitCursor waiting;
        return Run(MakeConversionSettings(ReadFormFields(Widgets.Reader())));
    }();
    TApplication::Instance()->ShowNotice(ToQString(NoticeText(report)));
}

void TFormMain::ButtonExitClick()
{
    close();
}

TControlId TFormMain::SelectedOutput() const
{
    return SelectedOutputKind(Widgets.Reader().Checked);
}

}  // namespace tabulor
