#include "framework/foundation/CriticalSection.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace Quib;

namespace
{

TEST(CriticalSection, OwnerMayEnterAgainAndOthersWaitForTheLastLeave)
{
    CriticalSection section;
    std::atomic<bool> otherGotIn{false};
    std::thread other;
    {
        CriticalSectionGuard outer(section);
        {
            CriticalSectionGuard inner(section);
            other = std::thread(
                [&]
                {
                    CriticalSectionGuard guard(section);
                    otherGotIn = true;
                });
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            EXPECT_FALSE(otherGotIn);
        }
        // Left once, still held once.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(otherGotIn);
    }
    other.join();
    EXPECT_TRUE(otherGotIn);
}

TEST(CriticalSection, SerialisesThreads)
{
    CriticalSection section;
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back(
            [&]
            {
                for (int i = 0; i < 20000; ++i)
                {
                    CriticalSectionGuard guard(section);
                    CriticalSectionGuard nested(section);
                    ++counter;
                }
            });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 80000);
}

} // namespace
