#pragma once

#include "game/records/PlayerProfile.h"
#include "tests/game/support/GameHarness.h"

#include <cstdint>

namespace gameharness
{

// Boots, waits for the intro and puts a plain, empty screen alone on the stack
// in its place: a floor under the screens a test opens, which neither ends by
// itself nor has buttons of its own; false when the game never got that far.
bool StartOverPlainScreen(GameHarness& game);

// A new current profile named "Tess" on the level, its scene records prepared.
PlayerProfile* AddFreshProfile(GameHarness& game, int32_t level = 1);

} // namespace gameharness
