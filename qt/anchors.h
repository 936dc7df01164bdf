// Keeps the window's controls at their distances from the client area's edges when the window
// grows, as the layout's anchors name them.
#pragma once

#include <QList>
#include <QSize>

#include "shell/geometry.h"

class QWidget;

namespace tabulor {

class TAnchors {
public:
    // Takes the places of form's controls as they are now, at the layout's client size, as the
    // ones to keep the distances of: labels and boxes that were fitted to the font keep that fit.
    explicit TAnchors(QWidget& form);

    void Apply(const QSize& clientSize) const;

private:
    struct TAnchoredControl {
        QWidget* Control;
        TRect LaidOut;
        unsigned Anchors;
    };

    QList<TAnchoredControl> Controls;
};

}  // namespace tabulor
