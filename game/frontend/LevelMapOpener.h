#pragma once

class ScreenBase;

// The level map the loading overlay builds and hands to the game-state
// stack; null while the game has no map screen, and the player then returns
// to the screen under the overlay as from a map left at once.
ScreenBase* MakeLevelMap();
