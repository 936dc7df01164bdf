// The pair of arrow buttons inside a spin field's right end: where each one lies, and which one a
// press holds and when it steps, by the shared repeat rule.
#pragma once

#include <optional>
#include <string_view>

#include "shell/arrow_repeat.h"
#include "shell/geometry.h"

namespace tabulor {

// The width at 96 dpi of the two arrow buttons inside a spin field's right end.
inline constexpr int SpinArrowWidth = 15;
// The names that a screen reader reads out for the up and the down arrow.
inline constexpr std::u16string_view SpinArrowUpName = u"Augmenter";
inline constexpr std::u16string_view SpinArrowDownName = u"Diminuer";

// The up arrow (+1) takes the upper half of area, the down arrow (-1) the rest, so that an odd
// pixel goes to the down arrow.
TRect SpinArrowRect(const TRect& area, int direction);

// +1 over the up arrow, -1 over the down one, 0 outside area.
int SpinArrowAt(const TRect& area, TPoint at);

// For a front end that draws both arrows in one window: it feeds the pointer's place in that
// window and its clock, arms its timer for NextTick(), and steps where an answer is not 0.
class TSpinArrows {
public:
    using TTime = TArrowRepeat::TTime;

    void Place(const TRect& area) { Area = area; }
    TRect ArrowRect(int direction) const { return SpinArrowRect(Area, direction); }

    // The primary button went down at at; outside both arrows it holds none.
    void Press(TPoint at, TTime now);

    // The timer fired: the direction of the step that is due, 0 for none.
    int Tick(TTime now, TPoint pointer);

    // The primary button came up at at: the direction of its step, 0 for none. The press ends.
    int Release(TPoint at);

    // The press ended without a release: no further step.
    void Cancel();

    // The arrow held down, 0 for none.
    int Held() const { return HeldDirection; }

    // An arrow looks pushed while it is held and the pointer is over it.
    bool ShownPushed(int direction, TPoint pointer) const;

    std::optional<TTime> NextTick() const { return Repeat.NextTick(); }

private:
    bool OverHeld(TPoint pointer) const;

    TRect Area;
    int HeldDirection = 0;
    TArrowRepeat Repeat;
};

}  // namespace tabulor
