#include "game/records/SceneItems.h"

#include "game/records/SaveEncoding.h"
#include "game/records/SceneFileItem.h"

#include <algorithm>

bool SceneItems::ContainsItem(const std::string& name) const
{
    return std::find(mItemNames.begin(), mItemNames.end(), name) != mItemNames.end();
}

std::string SceneItems::GetItemNameAt(int index) const
{
    if (index < 0 || size_t(index) >= mItemNames.size())
        return {};
    return mItemNames[size_t(index)];
}

SceneItems::GroupItem SceneItems::GetGroupItemAt(int index) const
{
    if (index < 0 || size_t(index) >= mGroupItems.size())
        return {"", -1};
    return mGroupItems[size_t(index)];
}

void SceneItems::LoadFromXml(const std::string& sceneName, int mode, const std::string& contentRoot)
{
    if (mode != kPlainItems && mode != kTenItemsGroup)
        return;
    const std::string fileName = mode == kPlainItems ? "Scene.xml" : "Scene10Items.xml";
    ForEachSceneFileItem(contentRoot + "\\content\\scenes\\" + sceneName + "\\" + fileName,
                         [&](const SceneFileItem& item)
                         {
                             if (mode == kPlainItems && item.IsPlain())
                                 mItemNames.push_back(item.mName);
                             if (mode == kTenItemsGroup && item.IsTenItemsMember())
                                 mGroupItems.push_back({item.mName, item.mMajorGroupId});
                         });
}

void SceneItems::Read(Quib::Buffer& buffer)
{
    mSceneName = save::ReadText(buffer);
    save::ReadTextList(buffer, mItemNames);
    const size_t groupCount = save::ReadCount(buffer);
    for (size_t i = 0; i < groupCount && !buffer.ReadExhausted(); ++i)
    {
        GroupItem item;
        item.mName = save::ReadText(buffer);
        item.mGroupId = save::ReadShort(buffer);
        mGroupItems.push_back(item);
    }
}

void SceneItems::Write(Quib::Buffer& buffer) const
{
    save::WriteText(buffer, mSceneName);
    save::WriteTextList(buffer, mItemNames);
    const size_t groupCount = save::WriteCount(buffer, mGroupItems.size());
    for (size_t i = 0; i < groupCount; ++i)
    {
        save::WriteText(buffer, mGroupItems[i].mName);
        save::WriteShort(buffer, mGroupItems[i].mGroupId);
    }
}
