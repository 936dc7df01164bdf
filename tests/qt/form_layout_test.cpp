// The main window as it stands on the screen: its frame and controls as the layout places them,
// the names that screen readers read out, where it starts, and how it grows when maximised.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QScreen>

#include <iterator>
#include <memory>
#include <optional>

#include "form_fixture.h"
#include "qt/spin_edit.h"
#include "qt/start_show.h"
#include "shell/placement.h"
#include "shell/request.h"
#include "shell/spin_arrows.h"

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

// What a screen reader on Linux reads out as the name. Qt reads a drop-down list's selected entry
// out as the list's name, and names the list by the labels it is labelled by.
QString ReadOutName(QWidget* widget)
{
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (qobject_cast<QComboBox*>(widget) == nullptr)
        return accessible->text(QAccessible::Name);
    QStringList labels;
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label))
        labels.append(label->text(QAccessible::Name));
    return labels.join(u' ');
}

}  // namespace

class TFormLayoutTest : public QObject, private tabulor::test::TFormFixture {
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }

    // A fixed frame with the layout's title and client size, its labels taking no focus, those
    // that are no control of the layout never shown, and no button the default; where each
    // control stands is the table's, tested where it lives.
    void frameAndControls()
    {
        TFormMain& form = Window->Form;
        QCOMPARE(form.windowTitle(), ToQString(FormTitle));
        QCOMPARE(form.size(), ClientSize);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        for (const QLabel* label : form.findChildren<QLabel*>()) {
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            const std::optional<TControlId> id = ControlNamed(label->objectName().toStdString());
            QVERIFY2(id ? Control(*id).Kind == TControlKind::Label : !label->isVisible(),
                     qPrintable(label->objectName()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(Find(form, TControlId::ButtonExecute))->role(),
                 QAccessible::Button);
        for (QPushButton* button : form.findChildren<QPushButton*>())
            QVERIFY(!button->isDefault() && !button->autoDefault());
        QVERIFY(!Find<QComboBox>(form, TControlId::ComboBoxBorderUnit)->isEditable());

        form.grab().save(QStringLiteral(TABULOR_TEST_OUTPUT_DIR "/form_main.png"));
    }

    // Each control is given the name that the shell gives it and is read out by it, a list by its
    // labels, each label is the buddy of the field after it, the spin arrows say what they do,
    // and no widget goes unnamed.
    void screenReaderNames()
    {
        TFormMain& form = Window->Form;
        const auto controls = FormControls();
        for (auto control = controls.begin(); control != controls.end(); ++control) {
            QWidget* widget = Find(form, control->Id);
            QCOMPARE(widget->accessibleName(), ToQString(AccessibleName(control->Id)));
            QCOMPARE(ReadOutName(widget), ToQString(AccessibleName(control->Id)));
            if (const auto* label = qobject_cast<QLabel*>(widget))
                QCOMPARE(label->buddy(), Find(form, std::next(control)->Id));
        }
        for (TSpinEdit* spin : form.findChildren<TSpinEdit*>()) {
            QCOMPARE(ReadOutName(spin->findChild<QWidget*>("UpButton")), ToQString(SpinArrowUpName));
            QCOMPARE(ReadOutName(spin->findChild<QWidget*>("DownButton")), ToQString(SpinArrowDownName));
        }
        for (QWidget* widget : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(!ReadOutName(widget).isEmpty(), qPrintable(widget->objectName()));
    }

    // Each control shows the table's text; each box, widened to its text in the window's
    // font, shows it whole without reaching the controls shown beside it for either kind of source.
    void textsShowWholeAndApart()
    {
        const TFormMain& form = Window->Form;
        for (const TControlLayout& control : FormControls()) {
            const QWidget* widget = Find(form, control.Id);
            const QString text = ToQString(TextAtStart(control.Id));
            if (const auto* box = qobject_cast<const QAbstractButton*>(widget)) {
                QCOMPARE(box->text(), text);
                QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->objectName()));
            } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                QCOMPARE(label->text(), text);
            } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
                QCOMPARE(edit->text(), text);
            }
        }
        for (const TSourceView view : {TSourceView::Text, TSourceView::Workbook}) {
            for (const TControlLayout& a : FormControls()) {
                for (const TControlLayout& b : FormControls()) {
                    const bool together = a.Id != b.Id && IsShown(a.Id, view) && IsShown(b.Id, view);
                    QVERIFY2(!together || !Find(form, a.Id)->geometry().intersects(Find(form, b.Id)->geometry()),
                             a.Name.data() + QByteArray(" and ") + b.Name.data());
                }
            }
        }
    }

    // Maximised, every control keeps its distances to the edges that the layout anchors it to.
    void maximisedWindowKeepsItsAnchors()
    {
        TFormMain& form = Window->Form;
        const QMap<TControlId, QRect> laidOut = Places(form);
        ShowMainWindow(form, TStartShow::Maximized);
        QTRY_VERIFY(form.width() > ClientSize.width());
        for (const TControlLayout& control : FormControls()) {
            const TRect anchored =
                AnchoredRect(ToTRect(laidOut[control.Id]), control.Anchors, ToTSize(form.size()), FormClientSize);
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
