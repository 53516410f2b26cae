#pragma once

class ScreenBase;

// The level map the loading overlay builds and hands to the game-state
// stack. A map whose pictures could not be loaded is never shown: the answer
// is null, the player returns to the screen under the overlay as from a map
// left at once, and the program closes on the shutdown request the failed
// load raised.
ScreenBase* MakeLevelMap();
