#include "qt/form_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "qt/edit.h"
#include "qt/shell_types.h"
#include "qt/spin_edit.h"
#include "shell/layout.h"
#include "shell/list_entries.h"

namespace tabulor {
namespace {

QLabel* CreateLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

template <typename TField>
TField* CreateField(const QString& text, QWidget* parent)
{
    auto* field = new TField(parent);
    field->setText(text);
    return field;
}

template <typename TBox>
TBox* CreateBox(const QString& text, bool checked, QWidget* parent)
{
    auto* box = new TBox(text, parent);
    box->setChecked(checked);
    return box;
}

// Its first entry, selected as the list fills, is the one it starts at.
QComboBox* CreateList(TControlId id, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (const std::u16string& entry : ListEntries(id))
        list->addItem(ToQString(entry));
    return list;
}

QWidget* CreateControl(const TControlLayout& entry, QWidget* parent)
{
    const QString text = ToQString(entry.Text);
    switch (entry.Kind) {
    case TControlKind::Label:
        return CreateLabel(text, parent);
    case TControlKind::Edit:
        return CreateField<TEdit>(text, parent);
    case TControlKind::SpinEdit:
        return CreateField<TSpinEdit>(text, parent);
    case TControlKind::Button:
        return new QPushButton(text, parent);
    case TControlKind::CheckBox:
        return CreateBox<QCheckBox>(text, entry.Checked, parent);
    case TControlKind::ComboBox:
        return CreateList(entry.Id, parent);
    case TControlKind::RadioButton:
        return CreateBox<QRadioButton>(text, entry.Checked, parent);
    }
    throw std::invalid_argument("the window cannot make a control of this kind");
}

// Tahoma at 8 points on a 96-dpi display. Where it is missing, the system's sans-serif at the
// same pixel height, narrowed until every label's text fits the width that the layout gives it,
// which is Tahoma's: a wider font would run the labels into their fields.
QFont WindowFont(const QList<QLabel*>& labels)
{
    QFont font(ToQString(FormFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FontPixelHeight(DesignDpi));
    if (QFontInfo(font).family() == font.family())
        return font;
    const QFontMetrics metrics(font);
    double scale = 1.0;
    for (const QLabel* label : labels)
        scale = std::min(scale, double(label->width()) / metrics.horizontalAdvance(label->text()));
    font.setStretch(static_cast<int>(100 * scale));
    return font;
}

void FitToFont(QWidget& form, const QList<QLabel*>& labels)
{
    form.setFont(WindowFont(labels));
    for (QLabel* label : labels)
        label->adjustSize();
    // The boxes' marks may be wider than the platform's that the layout was made with.
    for (QAbstractButton* box : form.findChildren<QAbstractButton*>()) {
        if (box->isCheckable())
            box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
    }
}

// Qt on Linux names a drop-down list after its selected entry and reads out, with it, the label
// that the list is labelled by. A list with no label before it gets one that is never shown, so
// that it takes no room and no focus, and that reads the list's name.
void AddUnseenLabel(QWidget& list, QWidget& form)
{
    QLabel* label = CreateLabel(list.accessibleName(), &form);
    label->setObjectName(list.objectName() + QStringLiteral("Label"));
    label->setBuddy(&list);
    label->hide();
}

void SetTabOrder(const std::map<int, QWidget*>& tabStops)
{
    QWidget* previous = nullptr;
    for (const auto& [order, control] : tabStops) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace

QWidget* TFormWidgets::operator[](TControlId id) const
{
    return Widgets.at(static_cast<std::size_t>(id));
}

std::optional<TControlId> TFormWidgets::IdOf(const QObject* object) const
{
    const auto found = std::find(Widgets.begin(), Widgets.end(), object);
    if (found == Widgets.end())
        return std::nullopt;
    return static_cast<TControlId>(found - Widgets.begin());
}

TControlReader TFormWidgets::Reader() const
{
    return {
        [this](TControlId id) {
            const QWidget* widget = (*this)[id];
            // An entry that keeps a value of its own, a sheet's name, stands for that value.
            if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
                const QVariant value = list->currentData();
                return (value.isValid() ? value.toString() : list->currentText()).toStdU16String();
            }
            return As<QLineEdit>(id)->text().toStdU16String();
        },
        [this](TControlId id) { return As<QAbstractButton>(id)->isChecked(); },
        [this](TControlId id) { return As<QComboBox>(id)->currentIndex(); },
    };
}

void TFormWidgets::ThrowNotOfKind(TControlId id)
{
    throw std::logic_error("the window's control " + std::string(Control(id).Name)
                           + " is not of the kind asked for");
}

TFormWidgets CreateFormWidgets(QWidget& form)
{
    TFormWidgets widgets;
    widgets.Widgets.resize(FormControls().size());
    std::map<int, QWidget*> tabStops;
    QList<QLabel*> labels;
    QLabel* label = nullptr;
    for (const TControlLayout& entry : FormControls()) {
        QWidget* control = CreateControl(entry, &form);
        widgets.Widgets.at(static_cast<std::size_t>(entry.Id)) = control;
        // For the tests and the tools that find a widget by its name.
        control->setObjectName(ToQString(entry.Name));
        control->setGeometry(ToQRect(entry.Bounds));
        // Left to itself, Qt would name a list after its selected entry and a field without a
        // label after nothing.
        control->setAccessibleName(ToQString(AccessibleName(entry.Id)));
        // A label stands right before its field, which screen readers find it labelled by.
        if (label != nullptr)
            label->setBuddy(control);
        else if (entry.Kind == TControlKind::ComboBox)
            AddUnseenLabel(*control, form);
        label = qobject_cast<QLabel*>(control);
        if (label != nullptr)
            labels.append(label);
        if (entry.TabOrder != NoTabStop)
            tabStops.emplace(entry.TabOrder, control);
    }
    SetTabOrder(tabStops);
    FitToFont(form, labels);
    return widgets;
}

}  // namespace tabulor
