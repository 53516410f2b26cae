#pragma once

#include "game/minigames/reversi/ReversiBoard.h"

#include <optional>
#include <vector>

// A line of player moves that beats the computer from the given position (the
// player to move), found depth first over the player's moves with the
// computer's answers fixed by its rule; moves leaving the player most discs
// are tried first. None when no line is found within `budget` positions.
std::optional<std::vector<int>> FindReversiWin(const ReversiBoard& start, int budget);
