#pragma once

// The last level played with the game's own screens: the level map, the scene
// screen, stories, the diary, the bomb and the final scores.

#include "tests/game/support/GameHarness.h"

#include <cstdint>
#include <string>

class GameFrame;
class GameStateInterface;
class MapScreen;
class SandboxWidget;

namespace finaletest
{

// The game over a plain floor with a player on the last level who has seen
// the stories and tutorials that come before it, and the game's own screens
// registered as the program registers them.
bool StartOnTheLastLevel(gameharness::GameHarness& game);
// A new level map opened over the floor, with its one scene button in place.
MapScreen* OpenTheLastLevelsMap(gameharness::GameHarness& game);
// Clicks the map's button of the last scene; the scene screen it opens, or null.
SandboxWidget* OpenTheLastScene(gameharness::GameHarness& game, MapScreen& map);
// The scene screen on the stack, or null.
GameFrame* TheSceneScreen(gameharness::GameHarness& game);
// Plays the story on top to its end, clicking OK wherever it waits.
void PlayStory(gameharness::GameHarness& game, const std::string& name);
// Waits for the diary on top and closes it with its own button.
void CloseTheDiary(gameharness::GameHarness& game);
// The bomb on top, defused through its widgets: every wire cut with the
// pliers, the screw undone with the screwdriver, and its end dialog closed.
void DefuseTheBomb(gameharness::GameHarness& game);
// The window's close box, the exit question answered yes; the game saves and ends.
void CloseTheGame(gameharness::GameHarness& game);
// The scene screen's dialog on top, checked and closed with its OK.
void CloseSceneDialog(gameharness::GameHarness& game, int32_t id, const char* textKey);
// The last scene's two visits played up to the diary of its end: ten items,
// then the whole list with the pieces and the mini-game, skipped.
void PlayTheLastSceneToItsDiary(gameharness::GameHarness& game, MapScreen& map);
// From the bomb on top to the final scores in the scene screen's place.
void DefuseTheBombAndReachTheScores(gameharness::GameHarness& game);
bool IsOnTheStack(gameharness::GameHarness& game, const GameStateInterface* screen);

} // namespace finaletest
