#pragma once

namespace platform
{

// The C runtime's rand/srand, as the game logic relies on them: the classic
// linear congruential sequence (state * 214013 + 2531011, result bits 16..30),
// so that a seeded run repeats exactly on every machine. The state is kept per
// thread, as the runtime it stands in for keeps it, so a loading thread drawing
// numbers never disturbs the main thread's sequence.
constexpr int RAND_MAXIMUM = 0x7FFF;

int rand();
void srand(unsigned int seed);

} // namespace platform
