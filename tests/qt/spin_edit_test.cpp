// The numeric spin field: its steps, its keystroke filter and its arrow buttons.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTimer>

#include <stdexcept>

#include "qt/arrow_button.h"
#include "qt/spin_edit.h"
#include "qt/spin_key_filter.h"
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
        QGuiApplication::clipboard()->setText(QStringLiteral("douze"));
        Spin->clear();
        QTest::keyClick(Spin, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Spin->text(), QStringLiteral("douze"));
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

    // The repeat runs on its real timer, armed for the first delay and then for each interval.
    void heldButtonRepeats()
    {
        auto* up = Spin->findChild<TArrowButton*>(QStringLiteral("UpButton"));
        auto* timer = up->findChild<QTimer*>(QStringLiteral("RepeatTimer"));
        Spin->setText(QStringLiteral("0"));
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 400);
        QCOMPARE(Spin->text(), QStringLiteral("0"));
        QTRY_COMPARE(Spin->text(), QStringLiteral("1"));
        QCOMPARE(timer->interval(), 100);
        QTRY_VERIFY(Spin->text().toInt() >= 3);
        const int reached = Spin->text().toInt();
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(Spin->text().toInt(), reached + 1);
        QVERIFY(!timer->isActive());
    }

    // An error box that opens while an arrow is held ends the press: the repeat stops and the
    // release that follows the box steps no more.
    void errorBoxEndsTheHeldPress()
    {
        auto* up = Spin->findChild<TArrowButton*>(QStringLiteral("UpButton"));
        auto* timer = up->findChild<QTimer*>(QStringLiteral("RepeatTimer"));
        QSignalSpy steps(up, &TArrowButton::Step);
        Spin->setText(QStringLiteral("0"));
        QTest::mousePress(up, Qt::LeftButton);
        QVERIFY(timer->isActive());
        tabulor::test::TModalHandler handler([](QWidget*) {});
        Guarded([] { throw std::runtime_error("Erreur"); })();
        QCOMPARE(handler.Handled(), 1);
        QVERIFY(!timer->isActive());
        QVERIFY(!up->isDown());
        QVERIFY(!steps.wait(int((TArrowRepeat::FirstDelay + TArrowRepeat::Interval).count())));
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(steps.count(), 0);
        QCOMPARE(Spin->text(), QStringLiteral("0"));
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
            if (source == 1)
                QTest::mouseRelease(up, Qt::LeftButton);
        }
        QTRY_COMPARE(shown, QStringList{QStringLiteral("Pas de pas.")});
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
    std::unique_ptr<QWidget> Window;
    TSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
};

TABULOR_TEST_MAIN(TSpinEditTest)
#include "spin_edit_test.moc"
