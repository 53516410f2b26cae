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
    save::ReadList(buffer, mGroupItems,
                   [](Quib::Buffer& in)
                   {
                       GroupItem item;
                       item.mName = save::ReadText(in);
                       item.mGroupId = save::ReadShort(in);
                       return item;
                   });
}

void SceneItems::Write(Quib::Buffer& buffer) const
{
    save::WriteText(buffer, mSceneName);
    save::WriteTextList(buffer, mItemNames);
    save::WriteList(buffer, mGroupItems,
                    [](Quib::Buffer& out, const GroupItem& item)
                    {
                        save::WriteText(out, item.mName);
                        save::WriteShort(out, item.mGroupId);
                    });
}
