#pragma once

#include <cstdint>

namespace Quib
{

// The framework's Mersenne Twister state. Start-up seeds it from its tick count
// and demo playback with the recorded seed, so a replay starts from the state
// the recording had; game logic draws its numbers from platform::rand instead.
struct RandomState
{
    static constexpr int kWords = 624;
    uint32_t mWords[kWords];
    int mIndex;
};

// The process-wide state, seeded with 4357 until someone seeds it.
RandomState& GetRandomState();
RandomState& InitRandomGenerator();
// A seed of 0 stands for 4357.
void SeedRandomGenerator(uint32_t seed);
void SeedRandom(uint32_t seed);

} // namespace Quib
