#include "qt/message_form.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "qt/application.h"
#include "qt/placement.h"
#include "qt/user_messages.h"
#include "resources/string_table.h"

namespace tabulor {
namespace {

constexpr Qt::WindowFlags DialogFrame = Qt::Dialog | Qt::CustomizeWindowHint
                                        | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                        | Qt::MSWindowsFixedSizeDialogHint;

QSize WrappedTextSize(const QFontMetrics& metrics, const QString& text)
{
    const int wrapWidth = QGuiApplication::primaryScreen()->geometry().width() / 2;
    return metrics.boundingRect(QRect(0, 0, wrapWidth, 0), Qt::TextWordWrap, text).size();
}

}  // namespace

TMessageForm::TMessageForm(const QString& text, const QString& caption, QWidget* owner)
    : QDialog(owner, DialogFrame),
      Message(new QLabel(text, this)),
      OK(new QPushButton(QString::fromUtf8(strings::SOk), this))
{
    setWindowTitle(caption);
    setFont(QApplication::font("QMessageBox"));
    Message->setObjectName(QStringLiteral("Message"));
    Message->setTextFormat(Qt::PlainText);
    Message->setWordWrap(true);
    Message->setFixedSize(WrappedTextSize(Message->fontMetrics(), text));
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addWidget(Message, 0, Qt::AlignHCenter);
    layout->addWidget(OK, 0, Qt::AlignHCenter);

    adjustSize();
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    move(CentredTopLeft(screen->geometry(), frameGeometry().size()));
}

void TMessageForm::keyPressEvent(QKeyEvent* event)
{
    RunGuarded([&] {
        if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier)
            QGuiApplication::clipboard()->setText(
                NoticeClipboardText(windowTitle(), Message->text(), {OK->text()}));
        else
            QDialog::keyPressEvent(event);
    });
}

}  // namespace tabulor
