#pragma once

#include "game/minigames/sokoban/SokobanLevel.h"

#include <optional>
#include <vector>

struct SokobanMove
{
    int mBox = 0;
    int mArrow = 0;
};

// The shortest list of pushes that solves the level, found breadth first over
// the boxes' cells; none when the level cannot be solved (boxes off the cell
// grid, more or fewer boxes than targets, or no way there).
std::optional<std::vector<SokobanMove>> SolveSokoban(const SokobanLevel& level);
