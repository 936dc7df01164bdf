// Placing a top-level window by its outer frame.
#pragma once

#include "shell/geometry.h"

class QRect;
class QWidget;

namespace tabulor {

// Where a window's outer frame goes within an area: CentredTopLeft, PickerTopLeft.
using TFramePlacement = TPoint (*)(const TRect& area, const TSize& frame);

// Moves the window's outer frame to its place within area. Before the window manager has framed
// a window, its frame is its client area, and a window placed by that size sits off by part of a
// frame: a shown window whose frame is not known yet is placed once more when it first appears,
// and never after, so that a window the user moves stays where the user puts it.
void PlaceByFrame(QWidget& window, const QRect& area, TFramePlacement place);

}  // namespace tabulor
