#pragma once

#include "framework/foundation/Buffer.h"
#include "game/records/SceneItems.h"

#include <cstdint>
#include <string>
#include <vector>

// The findable items of one level's scenes, in the level's marker order.
struct LevelItems
{
    std::string mName;
    // Level - 1; -1 in an empty record. Not saved.
    int32_t mIndex = -1;
    std::vector<SceneItems> mScenes;

    LevelItems() = default;
    // "Level<index + 1>" with one empty record per scene marker of the level.
    explicit LevelItems(int32_t index);

    void BuildScenes();
    SceneItems* FindScene(const std::string& sceneName);
    const SceneItems* FindScene(const std::string& sceneName) const;
    // The record of the same name takes the new one's place; without one,
    // nothing is stored.
    void ReplaceScene(SceneItems scene);
    // True when the scenes are the level map's scenes of this level, in order.
    bool MatchesLevelMap() const;

    // Overwrites the name and reads each scene block into the record at its
    // position; blocks beyond the records that exist are read and dropped.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const LevelItems&) const = default;
};
