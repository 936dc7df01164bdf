#include "qt/notice.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "qt/frame_placement.h"
#include "qt/guard.h"
#include "qt/keys.h"
#include "qt/shell_types.h"
#include "shell/messages.h"
#include "shell/placement.h"

namespace tabulor {
namespace {

constexpr Qt::WindowFlags NoticeFrame = Qt::Dialog | Qt::CustomizeWindowHint
                                        | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                        | Qt::MSWindowsFixedSizeDialogHint;

QSize WrappedTextSize(const QFontMetrics& metrics, const QString& text)
{
    const int wrapWidth = NoticeWrapWidth(QGuiApplication::primaryScreen()->geometry().width());
    return metrics.boundingRect(QRect(0, 0, wrapWidth, 0), Qt::TextWordWrap, text).size();
}

}  // namespace

TMessageForm::TMessageForm(const QString& text, const QString& title, QWidget* owner)
    : QDialog(owner, NoticeFrame),
      Message(new QLabel(text, this)),
      OK(new QPushButton(ToQString(NoticeButtonText()), this))
{
    setWindowTitle(title);
    setFont(QApplication::font("QMessageBox"));
    Message->setObjectName(QStringLiteral("Message"));
    Message->setTextFormat(Qt::PlainText);
    Message->setWordWrap(true);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);

    const TNoticeLayout layout =
        LayOutNotice(ToTSize(WrappedTextSize(Message->fontMetrics(), text)),
                     NoticeButtonSize(QtNoticeMetrics, ToTSize(OK->sizeHint())),
                     QtNoticeMetrics.Margin, QtNoticeMetrics.Spacing);
    Message->setGeometry(ToQRect(layout.Text));
    OK->setGeometry(ToQRect(layout.Button));
    setFixedSize(layout.Client.Width, layout.Client.Height);
    PlaceByFrame(*this, OwnerScreen(), CentredTopLeft);
}

QRect TMessageForm::OwnerScreen() const
{
    const QWidget* owner = parentWidget();
    return (owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen())->geometry();
}

void TMessageForm::showEvent(QShowEvent* event)
{
    RunGuarded([&] {
        QDialog::showEvent(event);
        PlaceByFrame(*this, OwnerScreen(), CentredTopLeft);
    });
}

void TMessageForm::keyPressEvent(QKeyEvent* event)
{
    RunGuarded([&] {
        switch (AnswerNoticeKey(KeyOf(*event), ModifiersOf(*event))) {
        case TNoticeKeyAction::None:
            QDialog::keyPressEvent(event);
            break;
        case TNoticeKeyAction::Close:
            accept();
            break;
        case TNoticeKeyAction::Copy:
            QGuiApplication::clipboard()->setText(
                ToQString(NoticeClipboardText(Message->text().toStdU16String())));
            break;
        }
    });
}

}  // namespace tabulor
