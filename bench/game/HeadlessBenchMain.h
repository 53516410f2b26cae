#pragma once

#include "platform/Environment.h"

#include <benchmark/benchmark.h>

// Runs the registered benchmarks on the game headless, as the tests run it:
// no window, no sound device, no message boxes.
inline int RunHeadlessBenchmarks(int argc, char** argv)
{
    platform::setEnv("SDL_VIDEODRIVER", "dummy");
    platform::setEnv("SDL_AUDIODRIVER", "dummy");
    platform::setEnv("ORVELLAN_TEST", "1");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
