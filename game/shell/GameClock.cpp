#include "game/shell/GameClock.h"

#include <memory>

GameClock* gGameClock = nullptr;

namespace
{

std::unique_ptr<GameClock>& Instance()
{
    static std::unique_ptr<GameClock> instance;
    return instance;
}

} // namespace

GameClock& GameClock::GetInstance()
{
    if (!Instance())
    {
        Instance() = std::make_unique<GameClock>();
        gGameClock = Instance().get();
    }
    return *Instance();
}

void GameClock::DeleteInstance()
{
    Instance().reset();
    gGameClock = nullptr;
}

GameClock::GameClock()
{
    mTimer.Start();
}

int64_t GameClock::GetTime()
{
    if (!mRunning)
        return mAccumulated;
    return mAccumulated + static_cast<int64_t>(mTimer.GetElapsedMs());
}

void GameClock::Pause()
{
    if (!mRunning)
        return;
    mTimer.Stop();
    mRunning = false;
    mAccumulated += static_cast<int64_t>(mTimer.GetElapsedMs());
}

void GameClock::Resume()
{
    if (mRunning)
        return;
    mTimer.Start();
    mRunning = true;
}

void GameClock::Reset()
{
    mAccumulated = 0;
    mRunning = true;
    mTimer = Quib::HiResTimer();
    mTimer.Start();
}
