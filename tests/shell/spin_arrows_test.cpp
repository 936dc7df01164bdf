#include "shell/spin_arrows.h"

#include <gtest/gtest.h>

namespace tabulor {
namespace {

using namespace std::chrono_literals;

TEST(SpinArrows, Places)
{
    // An odd pixel goes to the down arrow; both together cover the area exactly.
    EXPECT_EQ(SpinArrowRect({10, 3, 15, 17}, 1), (TRect{10, 3, 15, 8}));
    EXPECT_EQ(SpinArrowRect({10, 3, 15, 17}, -1), (TRect{10, 11, 15, 9}));
    EXPECT_EQ(SpinArrowRect({0, 0, 15, 18}, -1), (TRect{0, 9, 15, 9}));

    const TRect area = {10, 3, 15, 17};
    const struct {
        TPoint At;
        int Direction;
    } cases[] = {
        {{10, 3}, 1},  {{24, 10}, 1},  {{10, 11}, -1}, {{24, 19}, -1},
        {{9, 5}, 0},   {{25, 5}, 0},   {{12, 2}, 0},   {{12, 20}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpinArrowAt(area, c.At), c.Direction) << c.At.X << "," << c.At.Y;
}

// A press holds the arrow under it until it ends, and steps by it only with the pointer over
// that same arrow.
TEST(SpinArrows, PressHoldsTheArrowUnderIt)
{
    const TSpinArrows::TTime start{};
    const TPoint up = {5, 2};
    const TPoint down = {5, 15};
    TSpinArrows arrows;
    arrows.Place({0, 0, 15, 18});

    arrows.Press(down, start);
    EXPECT_EQ(arrows.Held(), -1);
    EXPECT_TRUE(arrows.ShownPushed(-1, down));
    EXPECT_FALSE(arrows.ShownPushed(-1, up));
    EXPECT_FALSE(arrows.ShownPushed(1, up));
    EXPECT_EQ(arrows.Tick(start + 400ms, up), 0);
    EXPECT_EQ(arrows.Tick(start + 500ms, down), -1);
    EXPECT_EQ(arrows.Release(up), 0);
    EXPECT_EQ(arrows.Held(), 0);
    EXPECT_FALSE(arrows.NextTick());

    arrows.Press(up, start);
    EXPECT_EQ(arrows.Release(up), 1);
    arrows.Press(up, start);
    arrows.Cancel();
    EXPECT_EQ(arrows.Release(up), 0);
    EXPECT_FALSE(arrows.ShownPushed(1, up));

    arrows.Press({20, 5}, start);
    EXPECT_EQ(arrows.Held(), 0);
    EXPECT_FALSE(arrows.NextTick());
    EXPECT_EQ(arrows.Release({20, 5}), 0);
}

}  // namespace
}  // namespace tabulor
