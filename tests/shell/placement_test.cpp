#include "shell/placement.h"

#include <gtest/gtest.h>

namespace tabulor {
namespace {

TEST(Placement, WindowsOnTheScreen)
{
    EXPECT_EQ(CentredTopLeft({0, 0, 1024, 768}, {641, 329}), (TPoint{191, 219}));
    EXPECT_EQ(CentredTopLeft({0, 0, 1025, 769}, {640, 330}), (TPoint{192, 219}));
    EXPECT_EQ(CentredTopLeft({0, 0, 600, 300}, {641, 329}), (TPoint{0, 0}));
    EXPECT_EQ(CentredTopLeft({1920, 0, 1280, 1024}, {200, 100}), (TPoint{2460, 462}));
    EXPECT_EQ(PickerTopLeft({0, 0, 1024, 768}, {600, 400}), (TPoint{212, 122}));
    EXPECT_EQ(PickerTopLeft({-1280, 100, 1280, 1024}, {601, 401}), (TPoint{-941, 307}));
    EXPECT_EQ(NoticeWrapWidth(1025), 512);
}

TEST(Placement, NoticeSizedToItsText)
{
    const TNoticeLayout wide = LayOutNotice({300, 40}, {75, 23}, 16, 12);
    EXPECT_EQ(wide.Client, (TSize{332, 16 + 40 + 12 + 23 + 16}));
    EXPECT_EQ(wide.Text, (TRect{16, 16, 300, 40}));
    EXPECT_EQ(wide.Button, (TRect{16 + 112, 68, 75, 23}));
    // A text narrower than the button is centred above it.
    const TNoticeLayout narrow = LayOutNotice({20, 13}, {75, 23}, 16, 12);
    EXPECT_EQ(narrow.Client.Width, 107);
    EXPECT_EQ(narrow.Text.Left, 16 + 27);
    EXPECT_EQ(narrow.Button.Left, 16);
}

// A toolkit whose metrics size the notice's button has it at that size whatever its style asks
// for; one whose metrics leave the size empty, at the style's.
TEST(Placement, NoticeButtonSizedByTheMetricsOrTheStyle)
{
    const struct {
        TSize Metrics, Styled, Button;
    } cases[] = {
        {{75, 23}, {80, 30}, {75, 23}},
        {{75, 23}, {}, {75, 23}},
        {{}, {80, 30}, {80, 30}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoticeButtonSize({12, 12, c.Metrics}, c.Styled), c.Button)
            << c.Metrics.Width << " x " << c.Metrics.Height;
    }
}

TEST(Placement, StartShowCommand)
{
    const struct {
        int Command;
        TStartShow How;
    } cases[] = {
        {1, TStartShow::Normal}, {2, TStartShow::Normal}, {3, TStartShow::Maximized},
        {7, TStartShow::Minimized}, {0, TStartShow::Normal}, {6, TStartShow::Normal},
        {10, TStartShow::Normal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartShowFromCommand(c.Command), c.How) << c.Command;
}

}  // namespace
}  // namespace tabulor
