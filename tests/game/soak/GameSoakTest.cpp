#include "tests/game/soak/SoakRun.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace
{

// Two minutes of game time: about a minute on one core of the sanitizer
// build. Both builds run the same soak, so what one finds the other replays.
constexpr int64_t kUpdates = 12000;

// Random clicks, drags, keys, focus losses and window mode switches over the
// whole game, for a fixed count of updates of a fixed seed (or the one in
// ORVELLAN_SOAK_SEED): the sanitizer build turns any bad access or undefined
// behaviour into a failure, and the soak itself finds soft-locks and error boxes.
TEST(GameSoakTest, RandomInputOverTheWholeGameFindsNoCrashSoftLockOrErrorBox)
{
    soak::SoakSettings settings;
    settings.seed = soak::SoakSeedFromEnvironment(20261211);
    settings.updates = kUpdates;
    const soak::SoakReport report = soak::RunSoak(settings);
    std::printf("%s", soak::FormatReport(report).c_str());
    EXPECT_TRUE(report.findings.empty());
    // The bias of the input gets past the menus into the play.
    EXPECT_GE(report.screens.size(), 8u);
}

} // namespace
