#pragma once

#include "game/minigames/matches/MatchesBoardState.h"

#include <optional>
#include <vector>

struct MatchMove
{
    int mFromCell = 0;
    int mFromSlot = 0;
    int mToCell = 0;
    int mToSlot = 0;
};

// A shortest list of stick moves from one layout to another, searched depth
// first with the count of misplaced sticks as the bound's guide; none when the
// layouts differ in size or stick count or need more than maxMoves.
std::optional<std::vector<MatchMove>> SolveMatches(const MatchesBoardState& from, const MatchesBoardState& to,
                                                   int maxMoves);
