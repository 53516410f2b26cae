#pragma once

#include "tests/game/soak/SoakInput.h"
#include "tests/game/soak/SoftLockWatch.h"

namespace soak
{

struct StepTaken
{
    // Updates run by the input and after it, in focus or not.
    int updates = 0;
    bool softLock = false;
};

// One random input, a few updates after it, and the soft-lock watch told of both.
StepTaken TakeStep(gameharness::GameHarness& game, SoakInput& input, SoftLockWatch& watch,
                   std::mt19937& random);

} // namespace soak
