#include "shell/placement.h"

#include <algorithm>

namespace tabulor {

TPoint CentredTopLeft(const TRect& area, const TSize& frame)
{
    return {area.Left + std::max(0, (area.Width - frame.Width) / 2),
            area.Top + std::max(0, (area.Height - frame.Height) / 2)};
}

TPoint PickerTopLeft(const TRect& monitor, const TSize& picker)
{
    return {monitor.Left + (monitor.Width - picker.Width) / 2,
            monitor.Top + (monitor.Height - picker.Height) / 3};
}

int NoticeWrapWidth(int primaryScreenWidth)
{
    return primaryScreenWidth / 2;
}

TNoticeLayout LayOutNotice(const TSize& text, const TSize& button, int margin, int spacing)
{
    const int inner = std::max(text.Width, button.Width);
    TNoticeLayout layout;
    layout.Client = {inner + 2 * margin, margin + text.Height + spacing + button.Height + margin};
    layout.Text = {margin + (inner - text.Width) / 2, margin, text.Width, text.Height};
    layout.Button = {margin + (inner - button.Width) / 2, margin + text.Height + spacing,
                     button.Width, button.Height};
    return layout;
}

TSize NoticeButtonSize(const TNoticeMetrics& metrics, const TSize& styled)
{
    return metrics.Button == TSize() ? styled : metrics.Button;
}

TStartShow StartShowFromCommand(int showCommand)
{
    // Windows' SW_SHOWMAXIMIZED and SW_SHOWMINNOACTIVE, so that the rule reads the same
    // everywhere.
    constexpr int showMaximized = 3;
    constexpr int showMinNoActive = 7;
    switch (showCommand) {
    case showMaximized:
        return TStartShow::Maximized;
    case showMinNoActive:
        return TStartShow::Minimized;
    default:
        return TStartShow::Normal;
    }
}

}  // namespace tabulor
