#include "game/play/SceneFile.h"

#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "game/records/SceneFileItem.h"
#include "game/records/SceneItemAttributes.h"

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

float ParseSceneDecimal(const std::string& text)
{
    const char* start = text.c_str();
    char* end = nullptr;
    float value = std::strtof(start, &end);
    return end == start || !std::isfinite(value) ? 0.0f : value;
}

bool ReadSceneFile(const std::string& path, std::vector<SceneItemRecord>& items)
{
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
        return false;
    const bool inScene = Quib::SkipPastStartTag(parser, "Scene");
    Quib::XMLItem element;
    while (inScene && Quib::ReadStartTag(parser, element))
    {
        if (element.mValue != "Item")
            continue;
        SceneItemRecord item;
        ReadSceneItemAttributes(element, ParseSceneFileInteger, item);
        item.mX = ParseSceneDecimal(Quib::AttributeText(element, "x"));
        item.mY = ParseSceneDecimal(Quib::AttributeText(element, "y"));
        item.mAngle = ParseSceneDecimal(Quib::AttributeText(element, "angle"));
        item.mRed = SceneFileIntegerAttribute(element, "R", 0);
        item.mGreen = SceneFileIntegerAttribute(element, "G", 0);
        item.mBlue = SceneFileIntegerAttribute(element, "B", 0);
        item.mAlpha = SceneFileIntegerAttribute(element, "A", 0);
        item.mTypeId = SceneFileIntegerAttribute(element, "typeId", 0);
        items.push_back(std::move(item));
    }
    return true;
}
