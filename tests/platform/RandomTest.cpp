#include "platform/Random.h"

#include <gtest/gtest.h>
#include <thread>

TEST(Random, ClassicSequenceForKnownSeeds)
{
    platform::srand(1);
    const int expectedSeed1[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expectedSeed1)
        EXPECT_EQ(platform::rand(), value);

    platform::srand(12345);
    const int expectedSeed12345[] = {7584, 19164, 25795, 22125};
    for (int value : expectedSeed12345)
        EXPECT_EQ(platform::rand(), value);
}

TEST(Random, EachThreadKeepsItsOwnSequence)
{
    platform::srand(7);
    int first = platform::rand();
    std::thread other([] {
        for (int i = 0; i < 100; ++i)
            platform::rand();
    });
    other.join();
    platform::srand(7);
    EXPECT_EQ(platform::rand(), first);
}
