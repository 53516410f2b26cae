#include "platform/Random.h"

#include <cstdint>

namespace platform
{
namespace
{
thread_local uint32_t tState = 1;
}

int rand()
{
    tState = tState * 214013u + 2531011u;
    return static_cast<int>((tState >> 16) & 0x7FFF);
}

void srand(unsigned int seed) { tState = seed; }

} // namespace platform
