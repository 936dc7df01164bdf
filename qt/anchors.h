// Keeps controls at their distances from the client area's edges when the window grows, as the
// layout's "anchors" property of each control names them. A control without one keeps its place,
// as if anchored left and top.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

namespace tabulor {

Qt::Edges ParseAnchors(const QString& anchors);

// A control's place once the client area has grown by growth from the size it was laid out at:
// anchored to both opposite edges it stretches, to the far edge alone it moves.
QRect AnchoredRect(const QRect& designed, Qt::Edges anchors, const QSize& growth);

class TAnchors {
public:
    // Takes the size and the children's places as they are now as the layout's.
    explicit TAnchors(QWidget& form);

    void Apply(const QSize& clientSize) const;

private:
    struct TAnchoredControl {
        QWidget* Control;
        QRect Designed;
        Qt::Edges Anchors;
    };

    QSize DesignedSize;
    QList<TAnchoredControl> Controls;
};

}  // namespace tabulor
