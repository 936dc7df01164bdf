// The repeat of a spin field's arrow button, fed by the front end's clock and timer.
#pragma once

#include <chrono>
#include <optional>

namespace tabulor {

// A press shorter than the first delay, released over the button, steps once; held longer, it
// steps at the first delay, then at every interval while the pointer is over the button, and
// once more on release over it. The pointer away from the button pauses the repeat without
// restarting the delay. It knows nothing of timers: the front end arms one for NextTick().
class TArrowRepeat {
public:
    using TTime = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::milliseconds FirstDelay{400};
    static constexpr std::chrono::milliseconds Interval{100};

    // The primary button went down over the arrow.
    void Press(TTime now);

    // The timer fired at now: true when a step is due.
    bool Tick(TTime now, bool pointerOver);

    // The primary button came up: true when that steps, which it does over the button.
    bool Release(bool pointerOver);

    // The press ended without a release, as when an error box takes the mouse: no further step.
    void Cancel();

    bool Held() const { return Next.has_value(); }

    // When the timer should fire next; none while the button is not held.
    std::optional<TTime> NextTick() const { return Next; }

private:
    std::optional<TTime> Next;
};

}  // namespace tabulor
