#pragma once

#include "framework/foundation/Buffer.h"
#include "game/records/LevelItems.h"

#include <string>
#include <vector>

// Per level and scene, a list of findable items: the scene catalogue of the
// application, and each profile's record of the items earlier draws used.
struct LevelItemTable
{
    std::vector<LevelItems> mLevels;

    // The nineteen levels of the level map, each with its empty scenes.
    LevelItemTable();

    LevelItems* FindLevel(const std::string& levelName);
    const LevelItems* FindLevel(const std::string& levelName) const;

    // Reads each level block into the level at its position; blocks beyond
    // the nineteen are read and dropped.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    // Fills every scene of every level from the scene files below contentRoot.
    void LoadSceneFiles(const std::string& contentRoot);

    bool operator==(const LevelItemTable&) const = default;
};
