#pragma once

#include "game/play/PlayfieldModel.h"

#include <vector>

// The names a visit asks for when no player record prepared them: in the
// ten-items visit every member of the scene's group, otherwise the first
// findable items of the scene file, as many as the list shows.
std::vector<SceneListEntry> DefaultSceneList(const std::vector<SceneItemRecord>& items, int32_t listMode);

constexpr size_t kItemListLength = 12;
