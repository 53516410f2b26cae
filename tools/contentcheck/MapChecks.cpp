#include "framework/graphics/Font.h"
#include "framework/resources/ImageLib.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/records/LevelMapTable.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentcheck/PackFonts.h"
#include "tools/contentgen/EstatePlan.h"

#include <algorithm>
#include <map>

namespace contentcheck
{

namespace
{

// Four previews stand 160 pixels apart along the map's top edge, each with
// its caption centred over it.
constexpr int kPreviewSpacing = 160;
constexpr int kSceneCount = 31;
// The spot a pin points at keeps this far from its room's walls.
constexpr float kPinMargin = 6;
// Under a pin, the level's picture lets this much of the map through at least.
constexpr uint32_t kMostAlphaUnderPin = 64;

int pictureSize(const contentgen::ResourceTable& table, const std::string& id, bool height)
{
    const contentgen::ResourceEntry* entry = table.find(id);
    return entry == nullptr ? 0 : height ? entry->height : entry->width;
}

int previewWidth(const contentgen::ResourceTable& table)
{
    return pictureSize(table, "IMAGE_MAP_SCENE_NOT_ACCESSIBLE", false);
}

int markerHeight(const contentgen::ResourceTable& table)
{
    return pictureSize(table, "IMAGE_MAP_SCENE_MARKER", true);
}

struct Pin
{
    float screenX, screenY; // where its point stands on the screen
    float mapX, mapY;       // and on the estate map under it
};

// The map screen puts a level's buttons along the top edge and draws the
// pin centred on the marker in the button's own place; its point is the
// picture's bottom tip. The map lies at scale 1 at the level's scroll.
Pin pinOf(const LevelMapEntry& level, int index, int buttonWidth, int pinHeight)
{
    const SceneMarker& marker = *level.GetMarker(index);
    const float x = float(MapScreen::SceneButtonX(index, level.GetMarkerCount(), buttonWidth) + marker.mX);
    const float y = float(ScenePreviewButton::kShownY + marker.mY) + float(pinHeight) / 2 - 2;
    return Pin{x, y, x - float(level.mScrollX), y - float(level.mScrollY)};
}

void checkPinsInRooms(const contentgen::ResourceTable& table,
                      const std::map<std::string, std::string>& strings, Problems& problems)
{
    const std::vector<contentgen::PlanRoom> rooms = contentgen::estateRooms();
    const LevelMapTable& levels = *LevelMapTable::GetInstance();
    for (int index = 0; index < levels.GetLevelCount(); ++index)
    {
        const LevelMapEntry& level = levels.mLevels[size_t(index)];
        for (int i = 0; i < level.GetMarkerCount(); ++i)
        {
            const int scene = level.GetMarker(i)->mSceneId;
            const Pin pin = pinOf(level, i, previewWidth(table), markerHeight(table));
            const std::string where = "level " + std::to_string(index + 1) + ": the pin of Scene" +
                                      std::to_string(scene) + " points at (" + std::to_string(int(pin.mapX)) +
                                      ", " + std::to_string(int(pin.mapY)) + ") of the estate map";
            auto room = std::find_if(rooms.begin(), rooms.end(),
                                     [&](const contentgen::PlanRoom& r) { return r.scene == scene; });
            if (room == rooms.end())
                problems.push_back(where + ", where the map draws no room for it");
            else if (!room->box.contains(pin.mapX, pin.mapY, kPinMargin))
                problems.push_back(where + ", outside its room");
        }
    }
    for (const contentgen::EstatePlace& place : contentgen::estatePlaces())
    {
        auto name = strings.find("Scene" + std::to_string(place.scene) + "_NAME");
        if (name == strings.end() || name->second != place.name)
            problems.push_back("the estate map names Scene" + std::to_string(place.scene) + " \"" +
                               place.name + "\", not as the string table does");
    }
}

// Each area a level zooms onto has its picture, a screen in size, clear
// where the level's pins point so that the map shows under them.
void checkAreaPictures(const contentgen::ResourceTable& table, Problems& problems)
{
    for (const LevelMapEntry& level : LevelMapTable::GetInstance()->mLevels)
    {
        const std::string path = "content/images/map/level" + std::to_string(level.mArea) + ".png";
        std::unique_ptr<ImageLib::Image> picture = ImageLib::ReadPngImage(path);
        if (!picture || picture->GetWidth() != 800 || picture->GetHeight() != 600)
        {
            problems.push_back(path + ": no 800 x 600 picture for map area " + std::to_string(level.mArea));
            continue;
        }
        for (int i = 0; i < level.GetMarkerCount(); ++i)
        {
            const Pin pin = pinOf(level, i, previewWidth(table), markerHeight(table));
            const int x = std::clamp(int(pin.screenX), 0, 799), y = std::clamp(int(pin.screenY), 0, 599);
            if ((picture->GetPixels()[size_t(y) * 800 + size_t(x)] >> 24) > kMostAlphaUnderPin)
                problems.push_back(path + ": hides the map where the pin of Scene" +
                                   std::to_string(level.GetMarker(i)->mSceneId) + " points");
        }
    }
}

} // namespace

void checkMapCaptions(const contentgen::ResourceTable& table, Problems& problems)
{
    const std::map<std::string, std::string> strings = readStringTable(problems);
    const int preview = previewWidth(table);
    if (preview > kPreviewSpacing)
        problems.push_back("the map's scene previews are " + std::to_string(preview) +
                           " pixels wide, more than the " + std::to_string(kPreviewSpacing) +
                           " between them");

    PackFonts fonts({"Init"});
    Quib::Font* font = fonts.Get("FONT_SCENE_LABELS");
    if (!font)
    {
        problems.push_back("the map's caption font does not load: " + fonts.GetErrorMessage());
        return;
    }
    for (int scene = 1; scene <= kSceneCount; ++scene)
    {
        const std::string key = "Scene" + std::to_string(scene) + "_NAME";
        auto caption = strings.find(key);
        if (caption == strings.end())
            continue;
        const int width = font->GetStringWidth(caption->second);
        if (width > preview)
            problems.push_back("the map caption \"" + caption->second + "\" of " + key + " is " +
                               std::to_string(width) + " pixels wide, over its " + std::to_string(preview) +
                               "-pixel preview");
    }
}

} // namespace contentcheck

namespace contentcheck
{

void checkEstateMap(const contentgen::ResourceTable& table, Problems& problems)
{
    checkPinsInRooms(table, readStringTable(problems), problems);
    checkAreaPictures(table, problems);
}

} // namespace contentcheck
