// Keeps the window's controls at their distances from the client area's edges when the window
// grows, as the layout's anchors name them.
#pragma once

#include <QList>
#include <QSize>

#include "shell/geometry.h"
#include "shell/layout.h"

class QWidget;

namespace tabulor {

class TFormWidgets;

// It places the controls only when told the client size: it watches no window.
class TAnchors {
public:
    // Keeps nothing in place.
    TAnchors() = default;

    // Takes the places of the controls as they are now, at the layout's client size, as the ones
    // to keep the distances of: labels and boxes that were fitted to the font keep that fit.
    explicit TAnchors(const TFormWidgets& widgets);

    void Apply(const QSize& clientSize) const;

private:
    struct TAnchoredControl {
        QWidget* Control;
        TRect LaidOut;
        TAnchor Anchors;
    };

    QList<TAnchoredControl> Controls;
};

}  // namespace tabulor
