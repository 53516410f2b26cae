#pragma once

#include "framework/foundation/Buffer.h"
#include "game/records/SceneProgress.h"

#include <cstdint>
#include <string>
#include <vector>

// A profile's records of the current level's scenes, in the level's marker order.
struct LevelProgress
{
    int32_t mLevelIndex = 0;
    std::vector<SceneProgress> mScenes;

    LevelProgress() = default;
    explicit LevelProgress(int32_t levelIndex) : mLevelIndex(levelIndex) {}

    // One new record per scene marker of the level; nothing for an index
    // outside the level map.
    void BuildScenes();

    SceneProgress* FindScene(const std::string& sceneName);
    // The record of the same name takes the new one's place; without one,
    // nothing is stored.
    void ReplaceScene(SceneProgress scene);
    SceneProgress* GetScene(int index);
    int GetSceneCount() const { return int(mScenes.size()); }

    // Reads each block into the record at its position; blocks beyond the
    // records that exist are read and dropped.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const LevelProgress&) const = default;
};
