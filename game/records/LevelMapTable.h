#pragma once

#include "game/records/LevelMapEntry.h"

#include <string>
#include <vector>

// The nineteen levels of the game in play order; entry n - 1 is level n.
class LevelMapTable
{
public:
    static constexpr int kLevelCount = 19;

    static LevelMapTable* GetInstance();
    static void Destroy();

    LevelMapTable();

    // Null when the index is outside 0 to 18.
    const LevelMapEntry* GetLevel(int index) const;
    int GetLevelCount() const { return int(mLevels.size()); }

    // "Scene<id>" of each marker of the level at the index, in marker order;
    // none for an index outside the map.
    std::vector<std::string> SceneNames(int index) const;

    // "Level<n>" for level n (index n - 1).
    static std::string LevelName(int level);

    std::vector<LevelMapEntry> mLevels;
};

extern LevelMapTable* gLevelMapTable;
