#include "qt/placement.h"

#include <algorithm>

namespace tabulor {

QPoint CentredTopLeft(const QRect& area, const QSize& window)
{
    return {area.left() + std::max(0, (area.width() - window.width()) / 2),
            area.top() + std::max(0, (area.height() - window.height()) / 2)};
}

QPoint PickerTopLeft(const QRect& monitor, const QSize& dialog)
{
    return {monitor.left() + (monitor.width() - dialog.width()) / 2,
            monitor.top() + (monitor.height() - dialog.height()) / 3};
}

}  // namespace tabulor
