#include "game/play/SceneFile.h"

#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"
#include "game/records/SceneFileItem.h"

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
        item.mName = SceneFileAttribute(element, "name");
        item.mImage = SceneFileAttribute(element, "image");
        item.mLayer = SceneFileIntegerAttribute(element, "layer", 0);
        item.mMajorGroupId = SceneFileIntegerAttribute(element, "majorGroupID", -2);
        item.mMinorGroupId = SceneFileIntegerAttribute(element, "minorGroupID", -2);
        item.mX = ParseSceneDecimal(SceneFileAttribute(element, "x"));
        item.mY = ParseSceneDecimal(SceneFileAttribute(element, "y"));
        item.mAngle = ParseSceneDecimal(SceneFileAttribute(element, "angle"));
        item.mRed = SceneFileIntegerAttribute(element, "R", 0);
        item.mGreen = SceneFileIntegerAttribute(element, "G", 0);
        item.mBlue = SceneFileIntegerAttribute(element, "B", 0);
        item.mAlpha = SceneFileIntegerAttribute(element, "A", 0);
        item.mType = SceneFileIntegerAttribute(element, "type", 0);
        item.mTypeId = SceneFileIntegerAttribute(element, "typeId", 0);
        items.push_back(std::move(item));
    }
    return true;
}
