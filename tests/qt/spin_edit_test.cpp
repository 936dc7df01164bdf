// The numeric spin field: its value rule, its steps, its keystroke filter and its arrow buttons.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTimer>

#include <limits>
#include <stdexcept>

#include "qt/arrow_button.h"
#include "qt/spin_edit.h"
#include "qt/spin_key_filter.h"
#include "qt/spin_value.h"
#include "modal_handler.h"

using namespace tabulor;
using tabulor::test::TypeText;

class TSpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        Window = std::make_unique<QWidget>();
        Spin = new TSpinEdit(Window.get());
        Spin->setObjectName(QStringLiteral("Spin"));
        Spin->setGeometry(8, 8, 73, 22);
        Other = new TEdit(Window.get());
        Other->setGeometry(8, 40, 73, 22);
        Other->setText(QStringLiteral("autre"));
        Window->show();
        Window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Window.get()));
        Other->setFocus();
    }

    void cleanup() { Window.reset(); }

    void valueRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "42" << 42;
        QTest::newRow("leading spaces") << "   7" << 7;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("dollar hexadecimal") << "$1F" << 31;
        QTest::newRow("0x hexadecimal") << "0xff" << 255;
        QTest::newRow("negative hexadecimal") << "-$10" << -16;
        QTest::newRow("largest") << "2147483647" << std::numeric_limits<int>::max();
        QTest::newRow("smallest") << "-2147483648" << std::numeric_limits<int>::min();
        QTest::newRow("too large") << "2147483648" << 0;
        QTest::newRow("hexadecimal too large") << "$80000000" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("sign alone") << "-" << 0;
        QTest::newRow("prefix alone") << "$" << 0;
        QTest::newRow("decimal comma") << "1,5" << 0;
        QTest::newRow("decimal point") << "1.5" << 0;
        QTest::newRow("trailing space") << "3 " << 0;
        QTest::newRow("space after sign") << "- 3" << 0;
        QTest::newRow("letter") << "a" << 0;
        QTest::newRow("hexadecimal digit without prefix") << "1f" << 0;
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << 0;
    }

    void valueRule()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        Spin->setText(text);
        QCOMPARE(Spin->Value(), value);
    }

    void stepping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("increment");
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<QString>("stepped");
        QTest::newRow("up") << "1" << 1 << 0 << 0 << "2";
        QTest::newRow("down below zero") << "0" << -1 << 0 << 0 << "-1";
        QTest::newRow("up from text") << "abc" << 1 << 0 << 0 << "1";
        QTest::newRow("down from text") << "abc" << -1 << 0 << 0 << "-1";
        QTest::newRow("leading zeros and sign dropped") << "+007" << 1 << 0 << 0 << "8";
        QTest::newRow("wraps at the top") << "2147483647" << 1 << 0 << 0 << "-2147483648";
        QTest::newRow("held at the maximum") << "10" << 1 << 0 << 10 << "10";
        QTest::newRow("held at the minimum") << "0" << -1 << 0 << 10 << "0";
        QTest::newRow("from text starts at the minimum") << "x" << 2 << 5 << 10 << "7";
    }

    void stepping()
    {
        QFETCH(QString, text);
        QFETCH(int, increment);
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(QString, stepped);
        QCOMPARE(SteppedSpinText(text, increment, minValue, maxValue), stepped);
    }

    void arrowKeysStep()
    {
        Spin->setFocus();
        Spin->setText(QStringLiteral("0"));
        QTest::keyClick(Spin, Qt::Key_Down);
        QCOMPARE(Spin->text(), QStringLiteral("-1"));
        QTest::keyClick(Spin, Qt::Key_Up);
        QTest::keyClick(Spin, Qt::Key_Up);
        QCOMPARE(Spin->text(), QStringLiteral("1"));
    }

    void keystrokeFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("digits and signs") << "12+-" << "12+-" << 0;
        QTest::newRow("letters") << "1a2z" << "12" << 2;
        QTest::newRow("space") << " " << "" << 1;
        QTest::newRow("other punctuation") << "/*$" << "" << 3;
        QTest::newRow("accented letter") << QString::fromUtf8("é") << "" << 1;
    }

    void keystrokeFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        QSignalSpy rejected(Spin->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        Spin->setFocus();
        Spin->clear();
        TypeText(Spin, typed);
        QCOMPARE(Spin->text(), text);
        QCOMPARE(rejected.count(), beeps);
    }

    // Keys whose text is a control character: only the carriage return is refused, whatever
    // key or modifier typed it.
    void keystrokeFilterOnControlCharacters_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("keyText");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << int(Qt::ControlModifier) << "\r" << "12" << 1;
        QTest::newRow("carriage return without modifier") << int(Qt::Key_M) << 0 << "\r" << "12" << 1;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << "\r" << "12" << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << "12" << 1;
        QTest::newRow("Ctrl+Enter types a line feed") << int(Qt::Key_Return) << int(Qt::ControlModifier)
                                                     << "\n" << "12" << 0;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier) << "\x01" << "12" << 0;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << "1" << 0;
        QTest::newRow("AltGr letter") << int(Qt::Key_E) << int(Qt::ControlModifier | Qt::AltModifier)
                                      << QString::fromUtf8("€") << "12" << 1;
    }

    void keystrokeFilterOnControlCharacters()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, keyText);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        QSignalSpy rejected(Spin->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        Spin->setFocus();
        Spin->setText(QStringLiteral("12"));
        Spin->deselect();
        QTest::sendKeyEvent(QTest::Click, Spin, Qt::Key(key), keyText,
                            Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Spin->text(), text);
        QCOMPARE(rejected.count(), beeps);
    }

    // Characters composed by an input method arrive as a commit string, not as key presses.
    void keystrokeFilterOnInputMethodText_data()
    {
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("digits") << "42" << "142" << 0;
        QTest::newRow("sign") << "-" << "1-" << 0;
        QTest::newRow("composed letter") << QString::fromUtf8("é") << "1" << 1;
        QTest::newRow("digit and letter") << "3a" << "1" << 1;
        QTest::newRow("full-width digit") << QString::fromUtf8("\uFF13") << "1" << 1;
        QTest::newRow("nothing committed") << "" << "1" << 0;
    }

    void keystrokeFilterOnInputMethodText()
    {
        QFETCH(QString, commit);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        QSignalSpy rejected(Spin->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        Spin->setFocus();
        Spin->setText(QStringLiteral("1"));
        Spin->deselect();
        QInputMethodEvent event;
        event.setCommitString(commit);
        QApplication::sendEvent(Spin, &event);
        QCOMPARE(Spin->text(), text);
        QCOMPARE(rejected.count(), beeps);
    }

    void keystrokeFilterTakesTheDecimalSeparator()
    {
        QLineEdit edit;
        TSpinKeyFilter filter(u',');
        edit.installEventFilter(&filter);
        QSignalSpy rejected(&filter, &TSpinKeyFilter::Rejected);
        QTest::keyClicks(&edit, QStringLiteral("1,5.0"));
        QCOMPARE(edit.text(), QStringLiteral("1,50"));
        QCOMPARE(rejected.count(), 1);

        Spin->setFocus();
        Spin->clear();
        QTest::keyClicks(Spin, QString(SystemDecimalSeparator()));
        QCOMPARE(Spin->text(), QString(SystemDecimalSeparator()));
        QCOMPARE(Spin->Value(), 0);
    }

    void editingKeysPass()
    {
        QSignalSpy rejected(Spin->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        Spin->setFocus();
        Spin->setText(QStringLiteral("123"));
        QTest::keyClick(Spin, Qt::Key_Backspace);
        QTest::keyClick(Spin, Qt::Key_Home);
        QTest::keyClick(Spin, Qt::Key_Delete);
        QCOMPARE(Spin->text(), QStringLiteral("2"));
        QCOMPARE(rejected.count(), 0);
    }

    void pasteBypassesTheFilter()
    {
        QSignalSpy rejected(Spin->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        QGuiApplication::clipboard()->setText(QStringLiteral("  12"));
        Spin->setFocus();
        Spin->clear();
        QTest::keyClick(Spin, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Spin->text(), QStringLiteral("  12"));
        QCOMPARE(Spin->Value(), 12);
        QGuiApplication::clipboard()->setText(QStringLiteral("douze"));
        Spin->clear();
        QTest::keyClick(Spin, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Spin->text(), QStringLiteral("douze"));
        QCOMPARE(Spin->Value(), 0);
        QCOMPARE(rejected.count(), 0);
    }

    void leavingTheFieldKeepsItsText()
    {
        Spin->setFocus();
        Spin->setText(QStringLiteral(" 1,5 "));
        Other->setFocus();
        QTRY_VERIFY(Other->hasFocus());
        QCOMPARE(Spin->text(), QStringLiteral(" 1,5 "));
    }

    void shortPressStepsOnceOnRelease()
    {
        auto* up = Spin->findChild<TArrowButton*>(QStringLiteral("UpButton"));
        Spin->setText(QStringLiteral("5"));
        QTest::mousePress(up, Qt::LeftButton);
        QCOMPARE(Spin->text(), QStringLiteral("5"));
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(Spin->text(), QStringLiteral("6"));
    }

    void releaseAwayFromTheButtonDoesNotStep()
    {
        auto* down = Spin->findChild<TArrowButton*>(QStringLiteral("DownButton"));
        Spin->setText(QStringLiteral("5"));
        QTest::mousePress(down, Qt::LeftButton);
        QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-20, -20));
        QCOMPARE(Spin->text(), QStringLiteral("5"));
    }

    // The repeat timer is driven by emitting its own timeout, so that the steps come through the
    // same connection as when it fires, without waiting for it.
    void heldButtonRepeats()
    {
        auto* up = Spin->findChild<TArrowButton*>(QStringLiteral("UpButton"));
        auto* timer = up->findChild<QTimer*>(QStringLiteral("RepeatTimer"));
        Spin->setText(QStringLiteral("0"));
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 400);
        FireTimer(timer);
        QCOMPARE(Spin->text(), QStringLiteral("1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 100);
        FireTimer(timer);
        FireTimer(timer);
        QCOMPARE(Spin->text(), QStringLiteral("3"));
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(Spin->text(), QStringLiteral("4"));
        QVERIFY(!timer->isActive());
    }

    // An error raised while a step runs, wherever the step came from, ends in the error box and
    // never unwinds through Qt.
    void errorsOfAStepReachTheErrorBox_data()
    {
        QTest::addColumn<int>("source");
        QTest::newRow("arrow key") << 0;
        QTest::newRow("arrow button") << 1;
        QTest::newRow("repeat timer") << 2;
    }

    void errorsOfAStepReachTheErrorBox()
    {
        QFETCH(int, source);
        auto* up = Spin->findChild<TArrowButton*>(QStringLiteral("UpButton"));
        Spin->setText(QStringLiteral("0"));
        Spin->setFocus();
        connect(Spin, &QLineEdit::textChanged, Spin, [] { throw std::runtime_error("Pas de pas"); });
        QStringList shown;
        tabulor::test::TModalHandler handler(
            [&](QWidget* dialog) { shown.append(tabulor::test::DescribeMessage(dialog).Text); });
        if (source == 0) {
            QTest::keyClick(Spin, Qt::Key_Up);
        } else {
            QTest::mousePress(up, Qt::LeftButton);
            if (source == 2)
                FireTimer(up->findChild<QTimer*>(QStringLiteral("RepeatTimer")));
            else
                QTest::mouseRelease(up, Qt::LeftButton);
        }
        QCOMPARE(shown, QStringList{QStringLiteral("Pas de pas.")});
        QCOMPARE(Spin->text(), QStringLiteral("1"));
        if (source == 2)
            QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-20, -20));
    }

    void pressOnAnArrowFocusesTheFieldAndSelectsItsText()
    {
        auto* down = Spin->findChild<TArrowButton*>(QStringLiteral("DownButton"));
        Spin->setText(QStringLiteral("12"));
        QTest::mousePress(down, Qt::LeftButton);
        QTRY_VERIFY(Spin->hasFocus());
        QCOMPARE(Spin->selectedText(), QStringLiteral("12"));
        QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-20, -20));
    }

    void focusSelectsTheWholeTextExceptByAClickOnTheField_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("selected");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << true;
        QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << true;
        QTest::newRow("program") << int(Qt::OtherFocusReason) << true;
        QTest::newRow("back from a menu") << int(Qt::PopupFocusReason) << false;
        QTest::newRow("primary-button click") << int(Qt::MouseFocusReason) << false;
        QTest::newRow("secondary-button click") << -1 << true;
    }

    void focusSelectsTheWholeTextExceptByAClickOnTheField()
    {
        QFETCH(int, reason);
        QFETCH(bool, selected);
        Other->setFocus();
        QTRY_VERIFY(Other->hasFocus());
        Spin->setText(QStringLiteral("34"));
        Spin->deselect();
        if (reason == Qt::MouseFocusReason)
            QTest::mouseClick(Spin, Qt::LeftButton);
        else if (reason < 0)
            QTest::mousePress(Spin, Qt::RightButton);
        else
            Spin->setFocus(static_cast<Qt::FocusReason>(reason));
        QTRY_VERIFY(Spin->hasFocus());
        QCOMPARE(Spin->selectedText(), selected ? QStringLiteral("34") : QString());
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    }

private:
    static void FireTimer(QTimer* timer)
    {
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
    }

    std::unique_ptr<QWidget> Window;
    TSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
};

TABULOR_TEST_MAIN(TSpinEditTest)
#include "spin_edit_test.moc"
