#include "qt/anchors.h"

#include <QVariant>
#include <QWidget>

namespace tabulor {
namespace {

constexpr const char* AnchorsProperty = "anchors";

}  // namespace

Qt::Edges ParseAnchors(const QString& anchors)
{
    Qt::Edges edges;
    for (const QString& name : anchors.split(u',', Qt::SkipEmptyParts)) {
        const QString edge = name.trimmed();
        if (edge == u"left")
            edges |= Qt::LeftEdge;
        else if (edge == u"top")
            edges |= Qt::TopEdge;
        else if (edge == u"right")
            edges |= Qt::RightEdge;
        else if (edge == u"bottom")
            edges |= Qt::BottomEdge;
    }
    return edges;
}

QRect AnchoredRect(const QRect& designed, Qt::Edges anchors, const QSize& growth)
{
    QRect rect = designed;
    if (anchors.testFlag(Qt::RightEdge)) {
        if (anchors.testFlag(Qt::LeftEdge))
            rect.setWidth(rect.width() + growth.width());
        else
            rect.translate(growth.width(), 0);
    }
    if (anchors.testFlag(Qt::BottomEdge)) {
        if (anchors.testFlag(Qt::TopEdge))
            rect.setHeight(rect.height() + growth.height());
        else
            rect.translate(0, growth.height());
    }
    return rect;
}

TAnchors::TAnchors(QWidget& form) : DesignedSize(form.size())
{
    for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QVariant anchors = control->property(AnchorsProperty);
        if (anchors.isValid())
            Controls.append({control, control->geometry(), ParseAnchors(anchors.toString())});
    }
}

void TAnchors::Apply(const QSize& clientSize) const
{
    const QSize growth = clientSize - DesignedSize;
    for (const TAnchoredControl& control : Controls)
        control.Control->setGeometry(AnchoredRect(control.Designed, control.Anchors, growth));
}

}  // namespace tabulor
