#pragma once

#include "framework/foundation/Buffer.h"

#include <cstdint>
#include <string>
#include <vector>

// The findable items of one scene: in the scene catalogue everything the scene
// file offers, in a profile's used-item table what earlier draws took.
struct SceneItems
{
    struct GroupItem
    {
        std::string mName;
        int32_t mGroupId = -1;
        bool operator==(const GroupItem&) const = default;
    };

    // What LoadFromXml reads: the whole list's plain items or the ten-items group.
    enum Mode
    {
        kPlainItems = 0,
        kTenItemsGroup = 1
    };

    std::string mSceneName;
    std::vector<std::string> mItemNames;
    std::vector<GroupItem> mGroupItems;

    SceneItems() = default;
    explicit SceneItems(std::string sceneName) : mSceneName(std::move(sceneName)) {}

    bool ContainsItem(const std::string& name) const;
    // Empty when out of range.
    std::string GetItemNameAt(int index) const;
    // Name "" and group -1 when out of range.
    GroupItem GetGroupItemAt(int index) const;

    // Appends the items of the scene's file below contentRoot + "\content\scenes\":
    // "Scene.xml" for kPlainItems, "Scene10Items.xml" for kTenItemsGroup.
    void LoadFromXml(const std::string& sceneName, int mode, const std::string& contentRoot);

    // Overwrites the name and appends the lists read.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const SceneItems&) const = default;
};
