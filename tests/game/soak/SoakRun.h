#pragma once

// The seeded random-input soak over the whole game: games started again and
// again on the headless harness, each from the main menu with a player who
// is new, has a level open, or has finished the game, and played with random
// input until the player quits or the game has run its share of updates.
// The same seed gives the same run on any machine: time is the harness's fake
// clock, randomness the seed's.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace soak
{

struct SoakSettings
{
    uint32_t seed = 0;
    // The run ends once this many updates (10 ms of game time each) have run.
    int64_t updates = 0;
    // Asked between inputs; true ends the run early (the long run's wall clock).
    std::function<bool()> stop;
};

struct SoakReport
{
    uint32_t seed = 0;
    int64_t updates = 0;
    int games = 0;
    // The screens that were on the stack, by class, with the updates each spent on top.
    std::map<std::string, int64_t> screens;
    // Soft-locks and error boxes, each with the game and update where it happened.
    std::vector<std::string> findings;
};

// The seed from ORVELLAN_SOAK_SEED when it is set, else the fallback.
uint32_t SoakSeedFromEnvironment(uint32_t fallback);

SoakReport RunSoak(const SoakSettings& settings);

// Seed, updates, games, screens reached and findings, one per line.
std::string FormatReport(const SoakReport& report);

} // namespace soak
