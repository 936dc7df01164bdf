// The main window from the keyboard: Tab and Shift+Tab in the shell's tab order, the arrow keys
// in the output kinds, and Enter on the focused button alone.
#include <QAbstractButton>
#include <QSignalSpy>

#include <memory>
#include <vector>

#include "form_fixture.h"
#include "qt/spin_key_filter.h"
#include "shell/focus.h"
#include "shell/keys.h"

using namespace tabulor;
using namespace tabulor::test;

namespace {

// The stops that Tab visits by the shell's rule from the first round to it again.
QStringList ShellTabCycle(TControlId selectedOutput, TSourceView view)
{
    const TControlId first = NextTabStop(std::nullopt, true, selectedOutput, view);
    QStringList names{NameOf(first)};
    TControlId stop = first;
    do {
        stop = NextTabStop(stop, true, selectedOutput, view);
        names.append(NameOf(stop));
    } while (stop != first);
    return names;
}

// The names of the focused control and of those that count - 1 presses of Tab reach.
QStringList TabSequence(qsizetype count)
{
    QStringList names{FocusedName()};
    while (names.size() < count) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.append(FocusedName());
    }
    return names;
}

}  // namespace

class TFormKeyboardTest : public QObject, private tabulor::test::TFormFixture {
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }

    // Tab goes round the window in the shell's order from the first stop, where the window
    // opens, and enters the output kinds at the selected one, also after a click selected it;
    // for a workbook it passes the sheet list and none of the lists it hides.
    void tabFollowsTheShellsOrder_data()
    {
        QTest::addColumn<TControlId>("selected");
        QTest::addColumn<QString>("source");
        QTest::newRow("at start") << OutputKindAtStart() << QString();
        QTest::newRow("after a click") << TControlId::RadioButtonOutputXHTML << QString();
        QTest::newRow("workbook source") << TControlId::RadioButtonOutputHTML << QStringLiteral("absent.xlsx");
    }

    void tabFollowsTheShellsOrder()
    {
        QFETCH(TControlId, selected);
        QFETCH(QString, source);
        const std::vector<std::u16string> names{source.toStdU16String()};
        Window->Form.OpenFiles(names);
        const TSourceView view = source.isEmpty() ? TSourceView::Text : TSourceView::Workbook;
        const QStringList expected = ShellTabCycle(selected, view);
        QCOMPARE(FocusedName(), expected.front());
        QTest::mouseClick(Find(Window->Form, selected), Qt::LeftButton);
        QVERIFY(Find<QAbstractButton>(Window->Form, selected)->isChecked());
        Find(Window->Form, NextTabStop(std::nullopt, true, selected, view))->setFocus();
        QVERIFY(expected.contains(NameOf(selected)));
        QCOMPARE(TabSequence(expected.size()), expected);
    }

    // The tab sequence enters the group of output kinds only at the selected one, whichever way
    // it comes and however that one was selected, and leaves it at the next stop.
    void outputKindsAreEnteredAtTheSelectedOne_data()
    {
        QTest::addColumn<TControlId>("selected");
        QTest::addColumn<bool>("forward");
        QTest::newRow("Tab at start") << OutputKindAtStart() << true;
        QTest::newRow("Shift+Tab at start") << OutputKindAtStart() << false;
        QTest::newRow("Tab after setChecked") << TControlId::RadioButtonOutputHTML << true;
        QTest::newRow("Shift+Tab after setChecked") << TControlId::RadioButtonOutputHTML << false;
        QTest::newRow("Shift+Tab to the last one") << TControlId::RadioButtonOutputHTML5 << false;
    }

    void outputKindsAreEnteredAtTheSelectedOne()
    {
        QFETCH(TControlId, selected);
        QFETCH(bool, forward);
        Find<QAbstractButton>(Window->Form, selected)->setChecked(true);
        const Qt::Key tab = forward ? Qt::Key_Tab : Qt::Key_Backtab;
        Find(Window->Form, NextTabStop(selected, !forward, selected, TSourceView::Text))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), tab);
        QCOMPARE(FocusedName(), NameOf(selected));
        QTest::keyClick(QApplication::focusWidget(), tab);
        QCOMPARE(FocusedName(), NameOf(NextTabStop(selected, forward, selected, TSourceView::Text)));
    }

    // The four arrow keys go round the output kinds, both ways past the ends, and select the one
    // that the shell's key rule answers for the key that Qt reports, which Tab then enters the
    // group at.
    void arrowKeysGoRoundTheOutputKinds()
    {
        const struct {
            Qt::Key QtKey;
            TKey Key;
        } presses[] = {{Qt::Key_Left, TKey::Left}, {Qt::Key_Right, TKey::Right},
                       {Qt::Key_Right, TKey::Right}, {Qt::Key_Down, TKey::Down},
                       {Qt::Key_Up, TKey::Up},       {Qt::Key_Left, TKey::Left}};
        TControlId current = OutputKindAtStart();
        Find(Window->Form, current)->setFocus();
        for (const auto& press : presses) {
            const TFormKeyAnswer answer = AnswerFormKey(press.Key, {}, current, current, TSourceView::Text);
            QCOMPARE(answer.Action, TFormKeyAction::Select);
            current = answer.Target;
            QTest::keyClick(QApplication::focusWidget(), press.QtKey);
            QCOMPARE(FocusedName(), NameOf(current));
            for (const TControlLayout& control : FormControls()) {
                if (IsOutputKind(control.Id))
                    QCOMPARE(Find<QAbstractButton>(Window->Form, control.Id)->isChecked(), control.Id == current);
            }
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusedName(), NameOf(current));
    }

    // Enter presses the focused button as the shell's key rule answers for the modifiers that Qt
    // reports, and nothing elsewhere: in a spin field it is a character that the field refuses
    // with a beep.
    void enterPressesOnlyTheFocusedButton()
    {
        const struct {
            Qt::Key QtKey;
            Qt::KeyboardModifiers QtHeld;
            TModifiers Held;
        } presses[] = {
            {Qt::Key_Return, Qt::ShiftModifier, {.Shift = true}},
            {Qt::Key_Return, Qt::ControlModifier, {.Control = true}},
            {Qt::Key_Return, Qt::AltModifier, {.Alt = true}},
            {Qt::Key_Return, Qt::NoModifier, {}},
            {Qt::Key_Enter, Qt::KeypadModifier, {}},
        };
        auto* rows = Find(Window->Form, TControlId::EditTitleRows);
        QSignalSpy beeps(rows->findChild<TSpinKeyFilter*>(), &TSpinKeyFilter::Rejected);
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_Return);
        QTest::keyClick(Find(Window->Form, TControlId::EditSrcFile), Qt::Key_Return);
        QTest::keyClick(&Window->Form, Qt::Key_Escape);
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(Find<QLineEdit>(Window->Form, TControlId::EditTitleRows)->text(),
                 ToQString(Control(TControlId::EditTitleRows).Text));
        auto* execute = Find(Window->Form, TControlId::ButtonExecute);
        execute->setFocus();
        TModalHandler handler([](QWidget*) {});
        std::size_t runs = 0;
        for (const auto& press : presses) {
            const TFormKeyAnswer answer = AnswerFormKey(TKey::Enter, press.Held, TControlId::ButtonExecute,
                                                        OutputKindAtStart(), TSourceView::Text);
            runs += answer == TFormKeyAnswer{TFormKeyAction::Press, TControlId::ButtonExecute};
            QTest::keyClick(execute, press.QtKey, press.QtHeld);
            QCOMPARE(Window->Runs.size(), runs);
        }
        QVERIFY(runs > 0);
    }
};

TABULOR_TEST_MAIN(TFormKeyboardTest)
#include "form_keyboard_test.moc"
