#include "game/play/SceneList.h"

std::vector<SceneListEntry> DefaultSceneList(const std::vector<SceneItemRecord>& items, int32_t listMode)
{
    std::vector<SceneListEntry> list;
    for (const SceneItemRecord& item : items)
    {
        if (item.mType == 0 || SceneItemKindOf(item, listMode) != SceneItemKind::Plain)
            continue;
        const bool listed =
            listMode == kFullListMode ? item.mMajorGroupId == kPlainGroupId : item.mTypeId == kTenItemsTypeId;
        if (listed && (listMode != kFullListMode || list.size() < kItemListLength))
            list.push_back({item.mName, item.mMajorGroupId, false});
    }
    return list;
}
