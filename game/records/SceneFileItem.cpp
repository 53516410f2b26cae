#include "game/records/SceneFileItem.h"

#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"

#include <algorithm>
#include <cstdint>

int32_t SceneFileIntegerAttribute(const Quib::XMLItem& item, const char* name, int32_t fallback)
{
    auto found = item.mAttributes.find(name);
    return found == item.mAttributes.end() ? fallback : ParseSceneFileInteger(found->second);
}

int32_t ParseSceneFileInteger(const std::string& text)
{
    size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+'))
        negative = text[position++] == '-';
    int64_t value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position)
    {
        value = value * 10 + (text[position] - '0');
        if (value > INT32_MAX)
            value = int64_t(INT32_MAX) + 1;
    }
    value = negative ? -value : value;
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void ForEachSceneFileItem(const std::string& path, const std::function<void(const SceneFileItem&)>& visit)
{
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
        return;
    const bool inScene = Quib::SkipPastStartTag(parser, "Scene");
    Quib::XMLItem item;
    while (inScene && Quib::ReadStartTag(parser, item))
    {
        if (item.mValue != "Item")
            continue;
        SceneFileItem read;
        read.mName = Quib::AttributeText(item, "name");
        read.mMajorGroupId = SceneFileIntegerAttribute(item, "majorGroupID", -2);
        read.mMinorGroupId = SceneFileIntegerAttribute(item, "minorGroupID", -2);
        read.mType = SceneFileIntegerAttribute(item, "type", 0);
        read.mTypeId = SceneFileIntegerAttribute(item, "typeId", 0);
        if (read.mType == 0 || read.mTypeId == SceneFileItem::kDiaryPageTypeId)
            continue;
        visit(read);
        // The element's own end tag (a self-closing tag reads as start and end).
        if (!parser.ReadItem(&item))
            break;
    }
}
