// Where the program's windows appear on a screen.
#pragma once

#include "shell/geometry.h"

namespace tabulor {

// A window's outer frame centred within area, halved distances truncated; never left of or
// above the area.
TPoint CentredTopLeft(const TRect& area, const TSize& frame);

// A file picker: centred horizontally on the monitor, its top at one third of the free height.
TPoint PickerTopLeft(const TRect& monitor, const TSize& dialog);

// The notice's inner layout: the text wrapped at half the primary screen's width, the dialog as
// wide as the wider of the text and the button plus margins, the button centred below the text.
struct TNoticeLayout {
    TSize Client;
    TRect Text;
    TRect Button;
};
int NoticeWrapWidth(int primaryScreenWidth);
TNoticeLayout LayOutNotice(const TSize& text, const TSize& button, int margin, int spacing);

}  // namespace tabulor
