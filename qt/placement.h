// Where the program's windows appear on a screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tabulor {

// Centred within area, halved distances truncated; never left of or above the area.
QPoint CentredTopLeft(const QRect& area, const QSize& window);

// A file picker: centred horizontally on the monitor, its top at one third of the free height.
QPoint PickerTopLeft(const QRect& monitor, const QSize& dialog);

}  // namespace tabulor
