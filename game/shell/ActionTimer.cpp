#include "game/shell/ActionTimer.h"

#include "game/shell/GameClock.h"

void ActionTimer::StartNow()
{
    mStart = GameClock::GetInstance().GetTime();
}

int32_t ActionTimer::GetElapsed() const
{
    const uint32_t now = uint32_t(GameClock::GetInstance().GetTime());
    return int32_t(now - uint32_t(mStart));
}
