// The Qt widgets of the main window's controls, made from the layout that both front ends share
// and found again by their id.
#pragma once

#include <QWidget>

#include <optional>
#include <vector>

#include "shell/layout.h"
#include "shell/request.h"

namespace tabulor {

// Knows which widget each control of the layout is and reads what they hold; it connects no
// signal and handles no event, which is the window's part.
class TFormWidgets {
public:
    // None yet: CreateFormWidgets makes them.
    TFormWidgets() = default;

    QWidget* operator[](TControlId id) const;

    // The control as the widget class of its kind; throws std::logic_error for another class.
    template <typename TWidget>
    TWidget* As(TControlId id) const
    {
        auto* widget = qobject_cast<TWidget*>((*this)[id]);
        if (widget == nullptr)
            ThrowNotOfKind(id);
        return widget;
    }

    // The control that object is; none for anything else, a control's own child included.
    std::optional<TControlId> IdOf(const QObject* object) const;

    // Reads the texts, ticks and selected entries of the controls, which must outlive the reader.
    TControlReader Reader() const;

private:
    friend TFormWidgets CreateFormWidgets(QWidget& form);

    [[noreturn]] static void ThrowNotOfKind(TControlId id);

    // Indexed by id.
    std::vector<QWidget*> Widgets;
};

// Creates every control of the layout in form, in the layout's order: its kind, name, place,
// text, check state and accessible name, each label the buddy of the field after it and an unseen
// one for a list without, the tab order, and the window font with the labels and boxes fitted to
// it.
TFormWidgets CreateFormWidgets(QWidget& form);

}  // namespace tabulor
