// The numeric spin field: its value rule, its steps, its keystroke filter and its arrow buttons.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTimer>

#include <limits>

#include "app/arrow_button.h"
#include "app/spin_edit.h"
#include "app/spin_key_filter.h"
#include "app/spin_value.h"
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

    void heldButtonRepeats()
    {
        auto* up = Spin->findChild<TArrowButton*>(QStringLiteral("UpButton"));
        auto* timer = up->findChild<QTimer*>(QStringLiteral("RepeatTimer"));
        Spin->setText(QStringLiteral("0"));
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), TArrowButton::FirstRepeatDelay);
        QCOMPARE(TArrowButton::FirstRepeatDelay, 400);
        up->RepeatTimerTimeout();
        QCOMPARE(Spin->text(), QStringLiteral("1"));
        QCOMPARE(timer->interval(), TArrowButton::RepeatInterval);
        QCOMPARE(TArrowButton::RepeatInterval, 100);
        up->RepeatTimerTimeout();
        up->RepeatTimerTimeout();
        QCOMPARE(Spin->text(), QStringLiteral("3"));
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(Spin->text(), QStringLiteral("4"));
        QVERIFY(!timer->isActive());
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
    std::unique_ptr<QWidget> Window;
    TSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
};

TABULOR_TEST_MAIN(TSpinEditTest)
#include "spin_edit_test.moc"
