#include "framework/foundation/RandomGenerator.h"

namespace Quib
{

namespace
{

constexpr uint32_t kDefaultSeed = 4357;

void seed(RandomState& s, uint32_t value)
{
    s.mWords[0] = value == 0 ? kDefaultSeed : value;
    for (int i = 1; i < RandomState::kWords; ++i)
    {
        const uint32_t previous = s.mWords[i - 1];
        s.mWords[i] = 1812433253u * (previous ^ (previous >> 30)) + uint32_t(i);
    }
    s.mIndex = RandomState::kWords;
}

// Seeded on first use, which no caller can tell apart from seeding before main.
RandomState& state()
{
    static RandomState instance = []
    {
        RandomState s;
        seed(s, kDefaultSeed);
        return s;
    }();
    return instance;
}

} // namespace

RandomState& GetRandomState()
{
    return state();
}

RandomState& InitRandomGenerator()
{
    seed(state(), kDefaultSeed);
    return state();
}

void SeedRandomGenerator(uint32_t value)
{
    seed(state(), value);
}

void SeedRandom(uint32_t value)
{
    SeedRandomGenerator(value);
}

} // namespace Quib
