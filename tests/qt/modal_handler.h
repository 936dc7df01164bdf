// Helpers for the Qt window's tests: a test program's main, and a way through modal dialogs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <functional>

#include "qt/application.h"

class QTimer;

namespace tabulor::test {

// What a notice or an error box showed.
struct TShownMessage {
    QString Title;
    QString Text;
    QStringList Buttons;
    bool StopIcon = false;
};

TShownMessage DescribeMessage(QWidget* dialog);

// Types text key by key, accented letters included, which QTest::keyClicks cannot type.
void TypeText(QWidget* widget, const QString& text);

// While it lives, hands every modal window that opens to action from inside the window's own
// event loop, then closes the window if action left it open, so that no test can hang on one.
class TModalHandler : public QObject {
    Q_OBJECT
public:
    explicit TModalHandler(std::function<void(QWidget*)> action);

    int Handled() const { return HandledCount; }

private:
    void Poll();

    std::function<void(QWidget*)> Action;
    QTimer* Timer;
    QPointer<QWidget> Current;
    int HandledCount = 0;
};

}  // namespace tabulor::test

// The tests run inside the program's own application object.
#define TABULOR_TEST_MAIN(TestObject)                                   \
    int main(int argc, char* argv[])                                    \
    {                                                                   \
        tabulor::TApplication application(argc, argv);                  \
        TestObject test;                                                \
        return QTest::qExec(&test, argc, argv);                         \
    }
