// Centring a top-level window by its outer frame.
#pragma once

class QRect;
class QWidget;

namespace tabulor {

// Centres the window's outer frame within area. Before the window manager has framed a window,
// its frame is its client area, and a window centred by that size sits half a frame off centre:
// a shown window whose frame is not known yet is centred once more when it first appears, and
// never after, so that a window the user moves stays where the user puts it.
void CentreFramed(QWidget& window, const QRect& area);

}  // namespace tabulor
