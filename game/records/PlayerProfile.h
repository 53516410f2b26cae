#pragma once

#include "framework/foundation/Buffer.h"
#include "game/records/LevelItemTable.h"
#include "game/records/LevelProgress.h"
#include "game/records/StoryFlags.h"
#include "game/records/TimeValue.h"
#include "game/records/TutorialFlags.h"
#include "game/records/WallpaperUnlocks.h"

#include <cstdint>
#include <memory>
#include <string>

// What level preparation draws from: the application's scene catalogue and
// the string table's text for the diary page ("ITEM_NAME_DIARY").
struct LevelPreparationSource
{
    const LevelItemTable* mCatalogue = nullptr;
    std::string mDiaryItemName;
};

// Everything the game remembers about one player. Names are kept as the
// 8-bit code-page bytes the player typed.
struct PlayerProfile
{
    static constexpr int32_t kNewGameHints = 6;
    static constexpr size_t kWholeListLength = 12;

    int32_t mLevel = 1;
    std::string mName;
    LevelProgress mLevelProgress;
    LevelItemTable mUsedItems;
    TutorialFlags mTutorialFlags;
    WallpaperUnlocks mWallpaperUnlocks;
    StoryFlags mStoryFlags;
    int32_t mHints = kNewGameHints;
    std::string mFileName;
    bool mTimedPlay = false;
    int32_t mDiaryPages = 0;
    bool mGameInProgress = false;
    bool mDiaryOpened = false;
    TimeValue mPlayTime;

    PlayerProfile();

    // Replaces this profile by the one the buffer holds. A damaged buffer loads
    // what it can: counts beyond the records are read and dropped, and a level
    // outside the map is brought to its nearest level.
    void Load(Quib::Buffer& buffer);
    Quib::Buffer Save() const;

    void ResetLevelProgress();
    // Fills the current level's scene records with a fresh draw of items.
    void PrepareCurrentLevel(const LevelPreparationSource& source);
    void RecreateStoryFlags();
    // A new game; the name, file name, play mode, used items and play time stay.
    void Reset(const LevelPreparationSource& source);
    void ResetAll(const LevelPreparationSource& source);

    // Per scene, the catalogue's plain items that the used level does not hold;
    // null without a used level.
    static std::unique_ptr<LevelItems> ComputeUnusedItems(const LevelItems& catalogueLevel,
                                                          const LevelItems* usedLevel);

    std::string GetName() const { return mName; }
    void SetName(const std::string& name) { mName = name; }
    std::string GetFileName() const { return mFileName; }
    void SetFileName(const std::string& name) { mFileName = name; }
    StoryFlags& GetStoryFlags() { return mStoryFlags; }
    TutorialFlags& GetTutorialFlags() { return mTutorialFlags; }
    int32_t GetHints() const { return mHints; }
    void SetHints(int32_t hints) { mHints = hints; }
    void AddDiaryPage() { ++mDiaryPages; }
    void ClearWallpaperUnlocks() { mWallpaperUnlocks.ClearAll(); }
};
