#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What the scene catalogue reads of one "Item" tag of a scene file.
struct SceneFileItem
{
    static constexpr int32_t kDiaryPageTypeId = 789;
    static constexpr int32_t kTenItemsTypeId = 777;

    std::string mName;
    int32_t mMajorGroupId = -2;
    int32_t mMinorGroupId = -2;
    int32_t mType = 0;
    int32_t mTypeId = 0;

    bool IsPlain() const { return mMajorGroupId == -1 && mMinorGroupId == -1; }
    bool IsTenItemsMember() const
    {
        return mTypeId == kTenItemsTypeId && mMajorGroupId != -1 && mMinorGroupId == -1;
    }
};

namespace Quib
{
struct XMLItem;
}

// An optional sign and the decimal digits that follow it; anything else reads 0.
int32_t ParseSceneFileInteger(const std::string& text);
// An integer attribute of a scene file's tag; the fallback when the tag lacks it.
int32_t SceneFileIntegerAttribute(const Quib::XMLItem& item, const char* name, int32_t fallback);

// Calls visit for every collectable "Item" tag after the first "Scene" start tag
// of the file: tags with type 0 and diary pages are passed over. Reading ends
// at the end of the file or its first error; nothing is visited when the file
// cannot be opened.
void ForEachSceneFileItem(const std::string& path, const std::function<void(const SceneFileItem&)>& visit);
