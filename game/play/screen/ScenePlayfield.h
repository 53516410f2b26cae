#pragma once

#include <cstdint>
#include <memory>
#include <string>

class GameFrame;
class SandboxWidget;

// A scene's playfield as the level map makes it: named, in its list mode and
// visit, the scene's mini-game flag taken from the player's record, its scene
// file loaded and what the record holds already taken out of the picture.
std::unique_ptr<SandboxWidget> MakeScenePlayfield(const std::string& sceneName, const std::string& levelName,
                                                  int32_t listMode, bool secondVisit);

// The level a scene belongs to ("Level1" for "Scene1"), by the scenes'
// mini-game table; empty for a scene it does not list.
std::string SceneLevelName(const std::string& sceneName);

// A scene screen keeping its own playfield, for a scene opened without the
// level map.
GameFrame* MakeSceneFrame(const std::string& sceneName, int32_t listMode, bool timed = false);
