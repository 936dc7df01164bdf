#include "shell/arrow_repeat.h"

namespace tabulor {

void TArrowRepeat::Press(TTime now)
{
    Next = now + FirstDelay;
}

bool TArrowRepeat::Tick(TTime now, bool pointerOver)
{
    if (!Next || now < *Next)
        return false;
    // A late timer does not make up for the steps it missed: the user sees an even pace.
    Next = now + Interval;
    return pointerOver;
}

bool TArrowRepeat::Release(bool pointerOver)
{
    const bool held = Held();
    Next.reset();
    return held && pointerOver;
}

void TArrowRepeat::Cancel()
{
    Next.reset();
}

}  // namespace tabulor
