#include "qt/form_main.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

#include "qt/application.h"
#include "qt/conversion_request.h"
#include "qt/file_names.h"
#include "resources/string_table.h"

namespace tabulor {
namespace {

constexpr Qt::WindowFlags SingleFixedFrame = Qt::Window | Qt::CustomizeWindowHint
                                             | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                             | Qt::WindowMinimizeButtonHint
                                             | Qt::WindowCloseButtonHint;

// Tahoma at 8 points on a 96-dpi display. Where it is missing, the system's sans-serif at the
// same pixel height, narrowed until every label's text fits the width that the layout gives it,
// which is Tahoma's: a wider font would run the labels into their fields.
QFont WindowFont(const QList<QLabel*>& labels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    if (QFontInfo(font).family() == font.family())
        return font;
    const QFontMetrics metrics(font);
    double scale = 1.0;
    for (const QLabel* label : labels)
        scale = std::min(scale, double(label->width()) / metrics.horizontalAdvance(label->text()));
    font.setStretch(static_cast<int>(100 * scale));
    return font;
}

// Sets up the form from its layout before the members that need the controls are made.
QWidget& LaidOut(QWidget& form, Ui::FormMain& ui)
{
    ui.setupUi(&form);
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    form.setFont(WindowFont(labels));
    for (QLabel* label : labels)
        label->adjustSize();
    // The boxes' marks may be wider than the platform's that the layout was made with.
    for (QAbstractButton* box : form.findChildren<QAbstractButton*>()) {
        if (box->isCheckable())
            box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
    }
    return form;
}

}  // namespace

TFormMain::TFormMain(TConversionRun run)
    : OpenDialog(TPickerKind::Open, QStringLiteral("OpenDialog"),
                 QStringLiteral("Sélection du fichier source"),
                 QStringLiteral("Texte (séparateur : tabulation) (*.txt)"), QStringLiteral("txt")),
      SaveDialog(TPickerKind::Save, QStringLiteral("SaveDialog"),
                 QStringLiteral("Sélection du fichier destination"),
                 QStringLiteral("Fichier HTML (*.htm ; *.html ; *.xhtml)"), QStringLiteral("html")),
      Run(std::move(run)),
      Anchors(LaidOut(*this, *this))
{
    setWindowFlags(SingleFixedFrame);
    setFixedSize(size());
    connect(ButtonBrowseSrcFile, &QPushButton::clicked, this,
            Guarded([this] { ButtonBrowseSrcFileClick(); }));
    connect(ButtonBrowseDestFile, &QPushButton::clicked, this,
            Guarded([this] { ButtonBrowseDestFileClick(); }));
    connect(ButtonExecute, &QPushButton::clicked, this, Guarded([this] { ButtonExecuteClick(); }));
    connect(ButtonExit, &QPushButton::clicked, this, Guarded([this] { ButtonExitClick(); }));
    EditSrcFile->setFocus();
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    RunGuarded([&] {
        QWidget::resizeEvent(event);
        Anchors.Apply(size());
    });
}

// Only the selected radio button is a tab stop. Qt keeps only the last focused one of the group
// in the tab sequence, which is another one after a selection by the program or before the
// group was ever focused; the focus then moves on to the selected one.
bool TFormMain::focusNextPrevChild(bool next)
{
    return RunGuarded([&] {
        if (!QWidget::focusNextPrevChild(next))
            return false;
        auto* radio = qobject_cast<QRadioButton*>(focusWidget());
        if (radio != nullptr && !radio->isChecked())
            SelectedOutput()->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    });
}

void TFormMain::ButtonBrowseSrcFileClick()
{
    if (!OpenDialog.Execute(this))
        return;
    EditSrcFile->setText(OpenDialog.FileName());
    EditDestFile->setText(DerivedDestFileName(OpenDialog.FileName()));
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
    TFormFields fields;
    fields.SrcFile = EditSrcFile->text();
    fields.DestFile = EditDestFile->text();
    fields.TitleRows = EditTitleRows->Value();
    fields.TitleCols = EditTitleCols->Value();
    fields.Border = CheckBoxBorder->isChecked();
    fields.BorderUnit = ComboBoxBorderUnit->currentText();
    fields.BorderValue = EditBorderValue->text();
    fields.EmptyCells = EditEmptyCells->text();
    fields.TableClass = EditTableClass->text();
    fields.RowClass = EditRowClass->text();
    fields.HeaderClass = EditHeaderClass->text();
    fields.CellClass = EditCellClass->text();
    fields.OutputTable = RadioButtonOutputTable->isChecked();
    fields.OutputXhtml = RadioButtonOutputXHTML->isChecked();
    return fields;
}

}  // namespace tabulor
