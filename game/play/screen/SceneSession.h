#pragma once

#include "game/records/PlayerProfile.h"

#include <cstdint>
#include <string>

// What a scene visit reaches of the game: the current player (null when
// there is none), one-shot sounds (none without the game) and the texts of
// the string table.
PlayerProfile* CurrentProfile();
void PlaySceneSound(int32_t soundId);
std::string SceneText(const std::string& key);
