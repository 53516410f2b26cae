#pragma once

#include "tests/game/minigames/flows/MiniGameAppSupport.h"
#include "tests/game/minigames/flows/PlayHost.h"

#include <string>

class MiniGameWidget;

namespace minigametest
{

// Plays a wine-pitchers, tanks, seating or letter-scramble game to its solve
// the way a person would: clicks at the screen points of its arrows, valves,
// guests, seats and tiles, letting every level, valve and tile movement run
// out between clicks. The moves come from the models' solvers. Draws one
// frame mid-play into the named file when one is given.
void PlayToSolve(MiniGameApp& app, MiniGameWidget* game, const std::string& frame = "");
void PlayToSolve(const PlayHost& host, MiniGameWidget* game, const std::string& frame = "");
// Whether PlayToSolve has a player for the game.
bool HasScriptedPlayer(const MiniGameWidget* game);

// Steps a solved game to its end dialog and presses the dialog's OK button;
// the game then dims out and leaves.
void ConfirmEndDialog(MiniGameApp& app, MiniGameWidget* game);

} // namespace minigametest
