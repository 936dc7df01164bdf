// Where the program's windows appear on a screen, and how the main window first shows.
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

// The notice's margins and button follow each platform's own message dialogs, which its users
// know: Windows' keep 7 dialog units (12 pixels at 96 dpi) around and between their parts and
// give a button 50 x 14 units (75 x 23 pixels); Qt's keep its styles' 16 pixels and give a button
// the size its style asks for (an empty size here).
struct TNoticeMetrics {
    int Margin;
    int Spacing;
    TSize Button;
};
#ifdef _WIN32
inline constexpr TNoticeMetrics NoticeMetrics = {12, 12, {75, 23}};
#else
inline constexpr TNoticeMetrics NoticeMetrics = {16, 16, {0, 0}};
#endif
TNoticeLayout LayOutNotice(const TSize& text, const TSize& button, int margin, int spacing);

enum class TStartShow { Normal, Maximized, Minimized };

// Only "maximised" (3) and "minimised without activation" (7) are honoured; every other show
// command, plain "minimised" included, shows the window normally.
TStartShow StartShowFromCommand(int showCommand);

}  // namespace tabulor
