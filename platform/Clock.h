#pragma once

#include <cstdint>

namespace platform
{

// The one source of time for the framework and the game. Tests install a
// FakeClock so that run loops, timers and animations advance by hand.
class Clock
{
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, wrapping at 2^32 like a tick count.
    virtual uint32_t tickCount() = 0;
    // A high-resolution counter and its ticks per second.
    virtual int64_t counter() = 0;
    virtual int64_t counterFrequency() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
};

// The clock in force: the monotonic system clock unless a test installed another.
Clock& clock();
// Installs a clock (nullptr restores the system clock). The caller keeps ownership.
void setClock(Clock* clock);

inline uint32_t tickCount() { return clock().tickCount(); }
inline void sleep(uint32_t milliseconds) { clock().sleep(milliseconds); }

// A clock that only moves when told. Sleeping advances it by the time slept,
// so code that waits for time to pass still terminates.
class FakeClock : public Clock
{
public:
    explicit FakeClock(uint64_t startMicroseconds = 0) : mMicroseconds(startMicroseconds) {}

    uint32_t tickCount() override { return static_cast<uint32_t>(mMicroseconds / 1000); }
    int64_t counter() override { return static_cast<int64_t>(mMicroseconds); }
    int64_t counterFrequency() override { return 1000000; }
    void sleep(uint32_t milliseconds) override
    {
        mSlept += milliseconds;
        mMicroseconds += uint64_t(milliseconds) * 1000;
    }

    void advance(uint32_t milliseconds) { mMicroseconds += uint64_t(milliseconds) * 1000; }
    void advanceMicroseconds(uint64_t microseconds) { mMicroseconds += microseconds; }
    uint64_t totalSlept() const { return mSlept; }

private:
    uint64_t mMicroseconds;
    uint64_t mSlept = 0;
};

// Installs a clock for the lifetime of a scope.
class ScopedClock
{
public:
    explicit ScopedClock(Clock& c) { setClock(&c); }
    ~ScopedClock() { setClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace platform
