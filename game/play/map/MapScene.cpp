#include "game/play/map/MapScene.h"

#include "game/play/SceneFile.h"
#include "game/records/PlayerProfile.h"

#include <algorithm>

SceneProgress* MapScene::FindRecord(PlayerProfile* profile) const
{
    return profile != nullptr ? profile->mLevelProgress.FindScene(mSceneName) : nullptr;
}

int32_t MapScene::ItemsLeft(PlayerProfile* profile) const
{
    const SceneProgress* record = FindRecord(profile);
    if (record == nullptr)
        return 0;
    if (mListMode == kTenItemsListMode)
        return int32_t(std::count_if(record->mGroupItems.begin(), record->mGroupItems.end(),
                                     [](const SceneProgress::NamedEntry& entry) { return !entry.mTaken; }));
    return int32_t(std::count_if(record->mItems.begin(), record->mItems.end(),
                                 [](const SceneProgress::ItemEntry& entry) { return !entry.mTaken; }));
}
