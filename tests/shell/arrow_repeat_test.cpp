#include "shell/arrow_repeat.h"

#include <gtest/gtest.h>

#include <vector>

namespace tabulor {
namespace {

using namespace std::chrono_literals;

enum class TEventKind { Tick, Release, Cancel };

struct TEvent {
    TEventKind Kind;
    std::chrono::milliseconds At;
    bool PointerOver = true;
};

// The moments at which a press at 0 followed by events steps, a timer firing exactly when the
// repeat asks for it until the last event.
std::vector<std::chrono::milliseconds> Steps(const std::vector<TEvent>& events)
{
    const TArrowRepeat::TTime start{};
    TArrowRepeat repeat;
    repeat.Press(start);
    std::vector<std::chrono::milliseconds> steps;
    for (const TEvent& event : events) {
        while (repeat.NextTick() && *repeat.NextTick() <= start + event.At) {
            const auto at = *repeat.NextTick();
            if (repeat.Tick(at, event.PointerOver))
                steps.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(at - start));
        }
        if (event.Kind == TEventKind::Release && repeat.Release(event.PointerOver))
            steps.push_back(event.At);
        if (event.Kind == TEventKind::Cancel)
            repeat.Cancel();
        if (event.Kind != TEventKind::Tick) {
            EXPECT_FALSE(repeat.NextTick());
        }
    }
    return steps;
}

TEST(ArrowRepeat, StepsOnReleaseAndWhileHeld)
{
    using S = std::vector<std::chrono::milliseconds>;
    using enum TEventKind;
    // A short press steps once, on release over the button, and never away from it.
    EXPECT_EQ(Steps({{Release, 399ms}}), S({399ms}));
    EXPECT_EQ(Steps({{Release, 399ms, false}}), S());
    // Held: at 400 ms, then every 100 ms, and once more on release.
    EXPECT_EQ(Steps({{Release, 650ms}}), S({400ms, 500ms, 600ms, 650ms}));
    // The pointer away pauses the repeat without restarting the delay.
    EXPECT_EQ(Steps({{Tick, 550ms, false}, {Release, 700ms}}), S({600ms, 700ms, 700ms}));
    // An error box taking the mouse ends the press: no step after it, none on a late release.
    EXPECT_EQ(Steps({{Cancel, 450ms}, {Release, 900ms}}), S({400ms}));
}

TEST(ArrowRepeat, LateTimerDoesNotCatchUp)
{
    const TArrowRepeat::TTime start{};
    TArrowRepeat repeat;
    EXPECT_FALSE(repeat.Tick(start + 1s, true));
    repeat.Press(start);
    EXPECT_FALSE(repeat.Tick(start + 399ms, true));
    EXPECT_TRUE(repeat.Tick(start + 1s, true));
    EXPECT_FALSE(repeat.Tick(start + 1s, true));
    EXPECT_EQ(repeat.NextTick(), start + 1100ms);
}

}  // namespace
}  // namespace tabulor
