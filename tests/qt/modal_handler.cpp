#include "modal_handler.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace tabulor::test {

TShownMessage DescribeMessage(QWidget* dialog)
{
    TShownMessage shown;
    shown.Title = dialog->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        shown.Text = box->text();
        shown.StopIcon = box->icon() == QMessageBox::Critical;
    } else if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("Message"))) {
        shown.Text = label->text();
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            shown.Buttons.append(button->text());
    }
    return shown;
}

void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

TModalHandler::TModalHandler(std::function<void(QWidget*)> action)
    : Action(std::move(action)), Timer(new QTimer(this))
{
    connect(Timer, &QTimer::timeout, this, &TModalHandler::Poll);
    Timer->start(10);
}

void TModalHandler::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == Current || !modal->isVisible())
        return;
    Current = modal;
    ++HandledCount;
    Action(modal);
    if (Current && Current->isVisible())
        Current->close();
}

}  // namespace tabulor::test
