// The numeric spin field: its steps, its keystroke filter and its arrow buttons.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTimer>

#include <stdexcept>

#include "qt/arrow_button.h"
#include "qt/guard.h"
#include "qt/spin_edit.h"
#include "qt/spin_key_filter.h"
#include "qt/shell_types.h"
#include "shell/focus.h"
#include "shell/keys.h"
#include "shell/spin_field.h"
#include "modal_handler.h"

using namespace tabulor;
using tabulor::test::TypeText;

namespace {

// Focusing the field by a press, which Qt names by no reason of its own.
constexpr int SecondaryButtonPress = -1;
constexpr int PressOnAnArrow = -2;

}  // namespace

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

    // A key steps the field as the shell's key rule says for the key that Qt reports; a key that
    // steps nothing is the edit's.
    void arrowKeysStep_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<TKey>("key");
        QTest::newRow("Up") << int(Qt::Key_Up) << TKey::Up;
        QTest::newRow("Down") << int(Qt::Key_Down) << TKey::Down;
        QTest::newRow("Left") << int(Qt::Key_Left) << TKey::Left;
        QTest::newRow("Right") << int(Qt::Key_Right) << TKey::Right;
    }

    void arrowKeysStep()
    {
        QFETCH(int, qtKey);
        QFETCH(TKey, key);
        Spin->setFocus();
        Spin->setText(QStringLiteral("0"));
        QTest::keyClick(Spin, Qt::Key(qtKey));
        const int step = SpinKeyStep(key);
        QCOMPARE(Spin->text(), step != 0 ? ToQString(StepSpinField(u"0", step)) : QStringLiteral("0"));
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
        QCOMPARE(timer->interval(), int(TArrowRepeat::FirstDelay.count()));
        QCOMPARE(Spin->text(), QStringLiteral("0"));
        QTRY_COMPARE(Spin->text(), QStringLiteral("1"));
        QCOMPARE(timer->interval(), int(TArrowRepeat::Interval.count()));
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

    // Each way into the field is the focus cause that the shell's rule answers for: whether the
    // field selects its whole text is the rule's; that the way is that cause is Qt's. A press on
    // an arrow moves the focus into the field.
    void focusSelectsAsTheRuleSaysForItsCause_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<TFocusCause>("cause");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << TFocusCause::Tab;
        QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << TFocusCause::Backtab;
        QTest::newRow("shortcut") << int(Qt::ShortcutFocusReason) << TFocusCause::Shortcut;
        QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << TFocusCause::ActiveWindow;
        QTest::newRow("menu bar") << int(Qt::MenuBarFocusReason) << TFocusCause::MenuBar;
        QTest::newRow("program") << int(Qt::OtherFocusReason) << TFocusCause::Other;
        QTest::newRow("back from a menu") << int(Qt::PopupFocusReason) << TFocusCause::PopupClosed;
        QTest::newRow("primary-button click") << int(Qt::MouseFocusReason) << TFocusCause::PressOnControl;
        QTest::newRow("secondary-button press") << SecondaryButtonPress << TFocusCause::OtherPress;
        QTest::newRow("press on an arrow") << PressOnAnArrow << TFocusCause::Other;
    }

    void focusSelectsAsTheRuleSaysForItsCause()
    {
        QFETCH(int, reason);
        QFETCH(TFocusCause, cause);
        auto* down = Spin->findChild<TArrowButton*>(QStringLiteral("DownButton"));
        Other->setFocus();
        QTRY_VERIFY(Other->hasFocus());
        Spin->setText(QStringLiteral("34"));
        Spin->deselect();
        if (reason == Qt::MouseFocusReason)
            QTest::mouseClick(Spin, Qt::LeftButton);
        else if (reason == SecondaryButtonPress)
            QTest::mousePress(Spin, Qt::RightButton);
        else if (reason == PressOnAnArrow)
            QTest::mousePress(down, Qt::LeftButton);
        else
            Spin->setFocus(static_cast<Qt::FocusReason>(reason));
        QTRY_VERIFY(Spin->hasFocus());
        QCOMPARE(Spin->selectedText(), SelectsAllOnFocus(cause) ? QStringLiteral("34") : QString());
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
        if (down->isDown())
            QTest::mouseRelease(down, Qt::LeftButton, {}, QPoint(-20, -20));
    }

private:
    std::unique_ptr<QWidget> Window;
    TSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
};

TABULOR_TEST_MAIN(TSpinEditTest)
#include "spin_edit_test.moc"
