#pragma once

#include "game/minigames/table/SceneMiniGames.h"

class BombMiniGame;
class GameStateStack;
class MiniGameOwner;
class MiniGameWidget;

// Builds the game a scene's entry names, with its argument, placed where the
// entry says (800 x 600 from its corner). Null for a game this build does not
// have yet. The caller sets the owner and the skip permission and pushes it.
MiniGameWidget* CreateMiniGame(const SceneMiniGame& entry);

// The puzzle gallery's game of button index 0 .. 29, built and pushed without
// an owning scene and without Skip; null (nothing pushed) for any other index.
MiniGameWidget* CreateMiniGameByIndex(int index, GameStateStack* stack);

// The finale's bomb, which is in neither table: built at 800 x 600 for the
// last scene (its owner, which it leaves unmarked), without Skip, and pushed.
// The caller plays the start sound.
BombMiniGame* CreateBombMiniGame(MiniGameOwner* owner, GameStateStack* stack);
