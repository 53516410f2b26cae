#pragma once

#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLStartTags.h"

#include <cstdint>
#include <string>

// Integers of a file's attributes, read by that file kind's own rule.
using AttributeIntegerRule = int32_t (*)(const std::string& text);

// The attributes every reader of a scene file's "Item" tag takes (the playfield's
// and the differences game's), with the format's defaults. The two read their
// integers by different rules and their positions as different types, so the
// rule is theirs to give and the position theirs to read.
template <class Item>
void ReadSceneItemAttributes(const Quib::XMLItem& tag, AttributeIntegerRule integer, Item& item)
{
    const auto number = [&](const char* name, int32_t fallback)
    {
        auto found = tag.mAttributes.find(name);
        return found == tag.mAttributes.end() ? fallback : integer(found->second);
    };
    item.mName = Quib::AttributeText(tag, "name");
    item.mImage = Quib::AttributeText(tag, "image");
    item.mLayer = number("layer", 0);
    item.mMajorGroupId = number("majorGroupID", -2);
    item.mMinorGroupId = number("minorGroupID", -2);
    item.mType = number("type", 0);
}
