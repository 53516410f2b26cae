#include "platform/Clock.h"

#include <atomic>
#include <ctime>
#include <errno.h>

namespace platform
{
namespace
{

int64_t monotonicNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

class SystemClock : public Clock
{
public:
    uint32_t tickCount() override { return static_cast<uint32_t>(monotonicNanoseconds() / 1000000); }
    int64_t counter() override { return monotonicNanoseconds(); }
    int64_t counterFrequency() override { return 1000000000; }
    void sleep(uint32_t milliseconds) override
    {
        timespec ts{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
        while (nanosleep(&ts, &ts) != 0 && errno == EINTR)
        {
        }
    }
};

SystemClock gSystemClock;
std::atomic<Clock*> gClock{&gSystemClock};

} // namespace

Clock& clock() { return *gClock.load(std::memory_order_acquire); }

void setClock(Clock* c) { gClock.store(c ? c : &gSystemClock, std::memory_order_release); }

} // namespace platform
