// The main window as it stands on the screen: its frame and controls as the layout places them,
// the names that screen readers read out, where it starts, and how it grows when maximised.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <memory>

#include "form_fixture.h"
#include "qt/spin_edit.h"
#include "qt/start_show.h"
#include "shell/placement.h"

using namespace tabulor;
using namespace tabulor::test;

namespace {

const QSize ClientSize(FormClientSize.Width, FormClientSize.Height);

QMap<TControlId, QRect> Places(const QWidget& form)
{
    QMap<TControlId, QRect> places;
    for (const TControlLayout& control : FormControls())
        places.insert(control.Id, Find(form, control.Id)->geometry());
    return places;
}

// What a screen reader reads out. Qt on Linux reads a drop-down list's selected entry out as its
// name, and its label through the label's relation: the name that it is given is the one other
// platforms read out.
QString ReadOutName(QWidget* widget)
{
    if (qobject_cast<QComboBox*>(widget) != nullptr)
        return widget->accessibleName();
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

}  // namespace

class TFormLayoutTest : public QObject, private tabulor::test::TFormFixture {
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }

    // A fixed frame with the layout's caption and client size, its labels taking no focus and no
    // button the default; where each control stands is the table's, tested where it lives.
    void frameAndControls()
    {
        TFormMain& form = Window->Form;
        QCOMPARE(form.windowTitle(), ToQString(FormCaption));
        QCOMPARE(form.size(), ClientSize);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        const QList<QLabel*> labels = form.findChildren<QLabel*>();
        const auto isLabel = [](const TControlLayout& c) { return c.Kind == TControlKind::Label; };
        QCOMPARE(labels.size(), std::count_if(FormControls().begin(), FormControls().end(), isLabel));
        for (const QLabel* label : labels)
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QCOMPARE(QAccessible::queryAccessibleInterface(Find(form, TControlId::ButtonExecute))->role(),
                 QAccessible::Button);
        for (QPushButton* button : form.findChildren<QPushButton*>())
            QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY(!Find<QComboBox>(form, TControlId::ComboBoxBorderUnit)->isEditable());

        form.grab().save(QStringLiteral(TABULOR_TEST_OUTPUT_DIR "/form_main.png"));
    }

    // Each control is read out by the name that the shell gives it, each label is the buddy of
    // the field after it, the spin arrows say what they do, and no widget goes unnamed.
    void screenReaderNames()
    {
        TFormMain& form = Window->Form;
        const auto controls = FormControls();
        for (auto control = controls.begin(); control != controls.end(); ++control) {
            QWidget* widget = Find(form, control->Id);
            QCOMPARE(ReadOutName(widget), ToQString(AccessibleName(control->Id)));
            if (const auto* label = qobject_cast<QLabel*>(widget))
                QCOMPARE(label->buddy(), Find(form, std::next(control)->Id));
        }
        for (TSpinEdit* spin : form.findChildren<TSpinEdit*>()) {
            QCOMPARE(ReadOutName(spin->findChild<QWidget*>("UpButton")), ToQString(SpinUpName));
            QCOMPARE(ReadOutName(spin->findChild<QWidget*>("DownButton")), ToQString(SpinDownName));
        }
        for (QWidget* widget : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(!ReadOutName(widget).isEmpty(), qPrintable(widget->objectName()));
    }

    // Maximised, every control keeps its distances to the edges that the layout anchors it to.
    void maximisedWindowKeepsItsAnchors()
    {
        TFormMain& form = Window->Form;
        const QMap<TControlId, QRect> laidOut = Places(form);
        ShowMainWindow(form, TStartShow::Maximized);
        QTRY_VERIFY(form.width() > ClientSize.width());
        const TSize growth = ToTSize(form.size() - ClientSize);
        for (const TControlLayout& control : FormControls()) {
            const TRect anchored = AnchoredRect(ToTRect(laidOut[control.Id]), control.Anchors, growth);
            QCOMPARE(Find(form, control.Id)->geometry(), ToQRect(anchored));
        }
    }

    // After a maximised start, restoring the window makes it fixed again at its own size, its
    // controls back in their places.
    void restoreAfterAMaximisedStartIsFixed()
    {
        TFormMain form;
        const QMap<TControlId, QRect> laidOut = Places(form);
        ShowMainWindow(form, TStartShow::Maximized);
        QTRY_VERIFY(form.width() > ClientSize.width());
        QVERIFY(form.maximumWidth() > form.minimumWidth());
        form.showNormal();
        QTRY_COMPARE(form.size(), ClientSize);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(Places(form), laidOut);
    }

    // What is centred is the outer frame, by its size once the window is shown.
    void startCentresTheOuterFrame()
    {
        TFormMain form;
        ShowMainWindow(form, TStartShow::Normal);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect frame = form.frameGeometry();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(frame.topLeft(), ToQPoint(CentredTopLeft(ToTRect(screen), ToTSize(frame.size()))));
    }

    void exitClosesTheWindow()
    {
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QTest::mouseClick(Find(Window->Form, TControlId::ButtonExit), Qt::LeftButton);
        QVERIFY(!Window->Form.isVisible());
    }
};

TABULOR_TEST_MAIN(TFormLayoutTest)
#include "form_layout_test.moc"
