#include "game/play/SceneFile.h"

#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

SceneItemKind SceneItemKindOf(const SceneItemRecord& item, int32_t listMode)
{
    const int32_t major = item.mMajorGroupId, minor = item.mMinorGroupId;
    if (major == kPlainGroupId)
        return minor == kPlainGroupId ? SceneItemKind::Plain : SceneItemKind::Piece;
    if (minor == kPlainGroupId)
        return listMode == kTenItemsListMode && item.mTypeId == kTenItemsTypeId ? SceneItemKind::Plain
                                                                                : SceneItemKind::Combined;
    if (major == kHintGroupId && minor == kHintGroupId)
        return SceneItemKind::Hint;
    if (major == kHintGroupId || minor == kHintGroupId)
        return SceneItemKind::None;
    return SceneItemKind::Location;
}

std::string SceneFileName(int32_t listMode)
{
    return listMode == kTenItemsListMode ? "Scene10Items.xml" : "Scene.xml";
}

std::string SceneImageFileName(const std::string& image)
{
    std::string name = image;
    size_t at = name.find(".png");
    if (at != std::string::npos)
        name.replace(at, 4, ".jpg");
    return name;
}

int32_t ParseSceneInteger(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    // Digits past the range saturate instead of overflowing.
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<int64_t>(int64_t(INT32_MAX) + 1, value * 10 + (text[i] - '0'));
    value = negative ? -value : std::min<int64_t>(value, INT32_MAX);
    return int32_t(value);
}

float ParseSceneDecimal(const std::string& text)
{
    const char* start = text.c_str();
    char* end = nullptr;
    float value = std::strtof(start, &end);
    return end == start || !std::isfinite(value) ? 0.0f : value;
}

namespace
{

std::string Attribute(const Quib::XMLItem& item, const char* name)
{
    auto found = item.mAttributes.find(name);
    return found == item.mAttributes.end() ? std::string() : found->second;
}

int32_t IntegerAttribute(const Quib::XMLItem& item, const char* name, int32_t fallback)
{
    auto found = item.mAttributes.find(name);
    return found == item.mAttributes.end() ? fallback : ParseSceneInteger(found->second);
}

} // namespace

bool ReadSceneFile(const std::string& path, std::vector<SceneItemRecord>& items)
{
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
        return false;
    Quib::XMLItem element;
    bool inScene = false;
    while (parser.ReadItem(&element))
    {
        if (element.mKind != Quib::XML_ITEM_START)
            continue;
        if (!inScene)
        {
            inScene = element.mValue == "Scene";
            continue;
        }
        if (element.mValue != "Item")
            continue;
        SceneItemRecord item;
        item.mName = Attribute(element, "name");
        item.mImage = Attribute(element, "image");
        item.mLayer = IntegerAttribute(element, "layer", 0);
        item.mMajorGroupId = IntegerAttribute(element, "majorGroupID", -2);
        item.mMinorGroupId = IntegerAttribute(element, "minorGroupID", -2);
        item.mX = ParseSceneDecimal(Attribute(element, "x"));
        item.mY = ParseSceneDecimal(Attribute(element, "y"));
        item.mAngle = ParseSceneDecimal(Attribute(element, "angle"));
        item.mRed = IntegerAttribute(element, "R", 0);
        item.mGreen = IntegerAttribute(element, "G", 0);
        item.mBlue = IntegerAttribute(element, "B", 0);
        item.mAlpha = IntegerAttribute(element, "A", 0);
        item.mType = IntegerAttribute(element, "type", 0);
        item.mTypeId = IntegerAttribute(element, "typeId", 0);
        items.push_back(std::move(item));
    }
    return true;
}
