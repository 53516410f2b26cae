#include "framework/foundation/DebugPrintf.h"
#include "game/records/LevelMapTable.h"
#include "game/records/PlayerProfile.h"
#include "platform/Random.h"

#include <algorithm>

namespace
{

// The current level's record in the used-item table, by position. A damaged
// file can leave it renamed or with other scenes; it is then rebuilt empty, so
// that every scene of the level has a record to add its draw to.
LevelItems* UsedLevel(LevelItemTable& usedItems, int32_t levelIndex)
{
    if (levelIndex < 0 || size_t(levelIndex) >= usedItems.mLevels.size())
        return nullptr;
    LevelItems& level = usedItems.mLevels[size_t(levelIndex)];
    if (!level.MatchesLevelMap())
    {
        Quib::DebugPrintf("Used items of level %d did not match the level map; starting them afresh\n",
                          levelIndex + 1);
        level = LevelItems(levelIndex);
    }
    return &level;
}

// Distinct positions below count in the order the generator gives them: twelve,
// or all of them when the scene has fewer.
std::vector<size_t> DrawPositions(size_t count)
{
    const size_t wanted = std::min(count, PlayerProfile::kWholeListLength);
    std::vector<size_t> drawn;
    while (drawn.size() < wanted)
    {
        const size_t position = size_t(platform::rand()) % count;
        if (std::find(drawn.begin(), drawn.end(), position) == drawn.end())
            drawn.push_back(position);
    }
    return drawn;
}

} // namespace

std::unique_ptr<LevelItems> PlayerProfile::ComputeUnusedItems(const LevelItems& catalogueLevel,
                                                              const LevelItems* usedLevel)
{
    if (usedLevel == nullptr)
        return nullptr;
    auto unused = std::make_unique<LevelItems>(catalogueLevel.mIndex);
    const size_t scenes = std::min(unused->mScenes.size(), catalogueLevel.mScenes.size());
    for (size_t i = 0; i < scenes; ++i)
    {
        const SceneItems* used = i < usedLevel->mScenes.size() ? &usedLevel->mScenes[i] : nullptr;
        for (const std::string& name : catalogueLevel.mScenes[i].mItemNames)
        {
            if (used == nullptr || !used->ContainsItem(name))
                unused->mScenes[i].mItemNames.push_back(name);
        }
    }
    return unused;
}

void PlayerProfile::PrepareCurrentLevel(const LevelPreparationSource& source)
{
    if (source.mCatalogue == nullptr)
        return;
    const std::string levelName = LevelMapTable::LevelName(mLevel);
    const LevelItems* catalogueLevel = source.mCatalogue->FindLevel(levelName);
    LevelItems* usedLevel = UsedLevel(mUsedItems, mLevel - 1);
    if (catalogueLevel == nullptr || usedLevel == nullptr)
        return;

    std::unique_ptr<LevelItems> unused = ComputeUnusedItems(*catalogueLevel, usedLevel);
    bool forgotten = false;
    for (const SceneItems& scene : unused->mScenes)
    {
        // Too few left for a whole list: this scene starts over from its whole catalogue.
        if (scene.mItemNames.size() < kWholeListLength)
        {
            usedLevel->ReplaceScene(SceneItems(scene.mSceneName));
            forgotten = true;
        }
        mLevelProgress.ReplaceScene(SceneProgress(scene.mSceneName));
    }
    if (forgotten)
        unused = ComputeUnusedItems(*catalogueLevel, usedLevel);

    for (const SceneItems& scene : unused->mScenes)
    {
        if (scene.mItemNames.empty())
            continue;
        SceneItems* usedScene = usedLevel->FindScene(scene.mSceneName);
        SceneProgress* record = mLevelProgress.FindScene(scene.mSceneName);
        for (size_t position : DrawPositions(scene.mItemNames.size()))
        {
            const std::string& name = scene.mItemNames[position];
            if (usedScene != nullptr)
                usedScene->mItemNames.push_back(name);
            if (record != nullptr)
                record->AddItem(name);
        }
    }

    const size_t groupScenes = std::min(mLevelProgress.mScenes.size(), catalogueLevel->mScenes.size());
    for (size_t i = 0; i < groupScenes; ++i)
    {
        for (const SceneItems::GroupItem& item : catalogueLevel->mScenes[i].mGroupItems)
            mLevelProgress.mScenes[i].mGroupItems.push_back({item.mName, item.mGroupId, false});
    }

    if (mLevel == 1)
    {
        if (SceneProgress* first = mLevelProgress.FindScene("Scene1"))
            first->SetFirstItem(source.mDiaryItemName);
    }
}
