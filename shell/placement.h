// Where the program's windows appear on a screen, and how the main window first shows.
#pragma once

#include "shell/geometry.h"

namespace tabulor {

// A window's outer frame centred within area, halved distances truncated; never left of or
// above the area.
TPoint CentredTopLeft(const TRect& area, const TSize& frame);

// A file picker: centred horizontally on the monitor, its top at one third of the free height.
TPoint PickerTopLeft(const TRect& monitor, const TSize& picker);

// The notice's inner layout: the text wrapped at half the primary screen's width, the notice as
// wide as the wider of the text and the button plus margins, the button centred below the text.
struct TNoticeLayout {
    TSize Client;
    TRect Text;
    TRect Button;
};
int NoticeWrapWidth(int primaryScreenWidth);

// The notice's margins and button follow the message boxes of the toolkit that shows it, which
// its users know; each front end takes its own toolkit's.
struct TNoticeMetrics {
    int Margin;
    int Spacing;
    TSize Button;
};
// Windows' keep 7 dialog units (12 pixels at 96 dpi) around and between their parts and give a
// button 50 x 14 units (75 x 23 pixels).
inline constexpr TNoticeMetrics WindowsNoticeMetrics = {12, 12, {75, 23}};
// Qt's keep its styles' 16 pixels and leave the button the size its style asks for.
inline constexpr TNoticeMetrics QtNoticeMetrics = {16, 16, {0, 0}};
TNoticeLayout LayOutNotice(const TSize& text, const TSize& button, int margin, int spacing);

// The notice's button: the size that metrics give it, or where they give none (an empty size)
// the one that its style asks for, styled.
TSize NoticeButtonSize(const TNoticeMetrics& metrics, const TSize& styled);

enum class TStartShow { Normal, Maximized, Minimized };

// Only "maximised" (3) and "minimised without activation" (7) are honoured; every other show
// command, plain "minimised" included, shows the window normally.
TStartShow StartShowFromCommand(int showCommand);

}  // namespace tabulor
