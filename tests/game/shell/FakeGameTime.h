#pragma once

#include "game/shell/GameClock.h"
#include "platform/Clock.h"

#include <cstdint>

namespace shelltest
{

// Puts a fake platform clock under the game clock and the stopwatches for
// the life of a test, and starts the game clock afresh on it.
class FakeGameTime
{
public:
    FakeGameTime() { GameClock::GetInstance().Reset(); }
    ~FakeGameTime() { GameClock::DeleteInstance(); }
    FakeGameTime(const FakeGameTime&) = delete;
    FakeGameTime& operator=(const FakeGameTime&) = delete;

    void Advance(uint32_t milliseconds) { mClock.advance(milliseconds); }
    void AdvanceMicroseconds(uint64_t microseconds) { mClock.advanceMicroseconds(microseconds); }
    GameClock& Clock() { return GameClock::GetInstance(); }

private:
    platform::FakeClock mClock{1'000'000};
    platform::ScopedClock mScoped{mClock};
};

} // namespace shelltest
