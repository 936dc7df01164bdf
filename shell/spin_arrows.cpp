#include "shell/spin_arrows.h"

namespace tabulor {
namespace {

bool Contains(const TRect& rect, TPoint at)
{
    return at.X >= rect.Left && at.X < rect.Left + rect.Width && at.Y >= rect.Top
           && at.Y < rect.Top + rect.Height;
}

}  // namespace

TRect SpinArrowRect(const TRect& area, int direction)
{
    const int upHeight = area.Height / 2;
    if (direction > 0)
        return {area.Left, area.Top, area.Width, upHeight};
    return {area.Left, area.Top + upHeight, area.Width, area.Height - upHeight};
}

int SpinArrowAt(const TRect& area, TPoint at)
{
    if (Contains(SpinArrowRect(area, 1), at))
        return 1;
    return Contains(SpinArrowRect(area, -1), at) ? -1 : 0;
}

void TSpinArrows::Press(TPoint at, TTime now)
{
    HeldDirection = SpinArrowAt(Area, at);
    if (HeldDirection != 0)
        Repeat.Press(now);
}

int TSpinArrows::Tick(TTime now, TPoint pointer)
{
    return Repeat.Tick(now, OverHeld(pointer)) ? HeldDirection : 0;
}

int TSpinArrows::Release(TPoint at)
{
    const int direction = Repeat.Release(OverHeld(at)) ? HeldDirection : 0;
    HeldDirection = 0;
    return direction;
}

void TSpinArrows::Cancel()
{
    Repeat.Cancel();
    HeldDirection = 0;
}

bool TSpinArrows::ShownPushed(int direction, TPoint pointer) const
{
    return direction == HeldDirection && OverHeld(pointer);
}

bool TSpinArrows::OverHeld(TPoint pointer) const
{
    return HeldDirection != 0 && Contains(ArrowRect(HeldDirection), pointer);
}

}  // namespace tabulor
