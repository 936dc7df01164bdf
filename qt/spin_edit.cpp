#include "qt/spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

#include "qt/arrow_button.h"
#include "qt/guard.h"
#include "qt/keys.h"
#include "qt/spin_key_filter.h"
#include "qt/shell_types.h"
#include "shell/layout.h"
#include "shell/spin_arrows.h"
#include "shell/spin_field.h"

namespace tabulor {

TSpinEdit::TSpinEdit(QWidget* parent)
    : TEdit(parent),
      KeyFilter(new TSpinKeyFilter(SystemDecimalSeparator(), this)),
      UpButton(new TArrowButton(Qt::UpArrow, this)),
      DownButton(new TArrowButton(Qt::DownArrow, this))
{
    UpButton->setObjectName(QStringLiteral("UpButton"));
    DownButton->setObjectName(QStringLiteral("DownButton"));
    UpButton->setAccessibleName(ToQString(SpinArrowUpName));
    DownButton->setAccessibleName(ToQString(SpinArrowDownName));
    installEventFilter(KeyFilter);
    connect(KeyFilter, &TSpinKeyFilter::Rejected, this, &QApplication::beep);
    connect(UpButton, &TArrowButton::Step, this, Guarded([this] { Step(1); }));
    connect(DownButton, &TArrowButton::Step, this, Guarded([this] { Step(-1); }));
    connect(UpButton, &TArrowButton::pressed, this, Guarded([this] { ArrowPressed(); }));
    connect(DownButton, &TArrowButton::pressed, this, Guarded([this] { ArrowPressed(); }));
    setTextMargins(0, 0, UpButton->sizeHint().width(), 0);
}

void TSpinEdit::Step(int direction)
{
    setText(ToQString(StepSpinField(text().toStdU16String(), direction)));
}

void TSpinEdit::keyPressEvent(QKeyEvent* event)
{
    RunGuarded([&] {
        if (const int direction = SpinKeyStep(KeyOf(*event)))
            Step(direction);
        else
            TEdit::keyPressEvent(event);
    });
}

void TSpinEdit::resizeEvent(QResizeEvent* event)
{
    RunGuarded([&] {
        TEdit::resizeEvent(event);
        PlaceArrowButtons();
    });
}

void TSpinEdit::PlaceArrowButtons()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int buttonWidth = UpButton->sizeHint().width();
    const TRect area = {width() - frame - buttonWidth, frame, buttonWidth, height() - 2 * frame};
    UpButton->setGeometry(ToQRect(SpinArrowRect(area, 1)));
    DownButton->setGeometry(ToQRect(SpinArrowRect(area, -1)));
}

// A press on an arrow moves the focus into the field, which then counts as not focused by a
// press on the field itself.
void TSpinEdit::ArrowPressed()
{
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    else
        SettleMouseFocus(TFocusCause::OtherPress);
}

}  // namespace tabulor
