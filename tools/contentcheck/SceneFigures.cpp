// How well each room hides its objects, measured on the pack as the game
// draws it: the clutter around the objects, how much of each object the
// things in front of it hide, how large each shows, and that no two objects
// of a room, nor the clutter, share a picture.

#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "game/play/PlayfieldModel.h"
#include "game/play/SceneFile.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentgen/ItemPictures.h"
#include "tools/contentgen/RoomPainter.h"
#include "tools/contentgen/SceneRooms.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

namespace contentcheck
{

namespace
{

constexpr int kLeastClutter = 40;
constexpr float kLeastHidden = 0.15f, kMostHidden = 0.60f;
constexpr int kSmallest = 20, kLargest = 64, kLargestMedian = 48, kLeastTurned = 2;

std::string folderOf(int n)
{
    return "content/scenes/Scene" + std::to_string(n) + "/";
}

// Each item's "art" by its name, which the game does not read.
std::map<std::string, std::string> artsOf(const std::string& path)
{
    std::map<std::string, std::string> arts;
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
        return arts;
    Quib::XMLItem entry;
    while (Quib::ReadStartTag(parser, entry))
        if (entry.mValue == "Item")
            arts[entry.mAttributes["name"]] = entry.mAttributes["art"];
    return arts;
}

bool opaque(const PlayfieldItem& item, int32_t x, int32_t y)
{
    int32_t lx = x - item.mX, ly = y - item.mY;
    if (lx < 0 || ly < 0 || lx >= item.mWidth || ly >= item.mHeight || lx >= item.mMask.mWidth ||
        ly >= item.mMask.mHeight)
        return false;
    return item.mMask.mAlpha[size_t(ly) * size_t(item.mMask.mWidth) + size_t(lx)] >= 128;
}

struct Figures
{
    std::string name;
    float hidden = 0;
    int longestSide = 0;
};

// The share of the item's opaque pixels that the items drawn after it hide,
// and the longer side of the box round its opaque pixels.
Figures measure(const std::vector<PlayfieldItem>& items, size_t index)
{
    const PlayfieldItem& f = items[index];
    Figures figures{f.mRecord.mName};
    int count = 0, covered = 0, left = f.mWidth, top = f.mHeight, right = -1, bottom = -1;
    for (int32_t y = f.mY; y < f.mY + f.mHeight; ++y)
        for (int32_t x = f.mX; x < f.mX + f.mWidth; ++x)
            if (opaque(f, x, y))
            {
                ++count;
                left = std::min(left, x - f.mX), right = std::max(right, x - f.mX);
                top = std::min(top, y - f.mY), bottom = std::max(bottom, y - f.mY);
                for (size_t j = index + 1; j < items.size(); ++j)
                    if (!items[j].mRemoved && opaque(items[j], x, y))
                    {
                        ++covered;
                        break;
                    }
            }
    figures.hidden = count ? float(covered) / float(count) : 1.0f;
    figures.longestSide = right < 0 ? 0 : std::max(right - left + 1, bottom - top + 1);
    return figures;
}

bool isFindable(const PlayfieldItem& item, int32_t listMode)
{
    if (item.mRecord.mType == 0)
        return false;
    if (listMode == kTenItemsListMode)
        return item.mRecord.mTypeId == kTenItemsTypeId;
    return item.mKind == SceneItemKind::Piece ||
           (item.mKind == SceneItemKind::Plain && item.mRecord.mMajorGroupId == kPlainGroupId);
}

bool turned(const std::string& art)
{
    std::istringstream words(art);
    std::string kind, code;
    int size = 0;
    float turn = 0;
    words >> kind >> code >> size >> turn;
    return kind == "emoji" && turn != 0;
}

std::string percent(float share)
{
    return std::to_string(int(share * 100 + 0.5f)) + "%";
}

} // namespace

void checkSceneFigures(Problems& problems)
{
    // One picture carries one name throughout the house, and one name one picture.
    std::map<char32_t, std::string> nameOfPicture;
    std::map<std::string, char32_t> pictureOfName;
    const std::vector<contentgen::SceneRoom>& rooms = contentgen::sceneRooms();
    for (const contentgen::SceneRoom& room : rooms)
    {
        const int n = room.number;
        const std::vector<contentgen::ClutterThing> clutter =
            contentgen::roomClutter(room, contentgen::layoutRoom(room));
        std::set<char32_t> clutterPictures;
        for (const contentgen::ClutterThing& thing : clutter)
            clutterPictures.insert(thing.codePoint);
        int inFront = 0;
        std::string line;
        for (int32_t listMode : {kFullListMode, kTenItemsListMode})
        {
            const std::string path = folderOf(n) + SceneFileName(listMode), where = path + ": ";
            std::vector<SceneItemRecord> records;
            if (!ReadSceneFile(path, records))
                continue; // the scene checks report it
            std::map<std::string, std::string> arts = artsOf(path);
            PlayfieldModel model;
            model.Load(records, listMode, false,
                       [&](const std::string& image) { return sceneItemMask(folderOf(n) + image); });
            std::vector<Figures> figures;
            std::map<std::string, std::string> pictureOwner;
            int turns = 0;
            for (size_t i = 0; i < model.Items().size(); ++i)
            {
                const PlayfieldItem& item = model.Items()[i];
                const std::string& art = arts[item.mRecord.mName];
                const char32_t cp = contentgen::artCodePoint(art);
                if (item.mRecord.mType == 0 && cp != 0)
                {
                    clutterPictures.insert(cp);
                    inFront += listMode == kFullListMode;
                }
                if (!isFindable(item, listMode))
                    continue;
                figures.push_back(measure(model.Items(), i));
                turns += turned(art);
                if (item.mRecord.mRed == 255 && item.mRecord.mGreen == 255 && item.mRecord.mBlue == 255)
                    problems.push_back(where + "\"" + item.mRecord.mName +
                                       "\" does not take the room's light");
                const bool member = item.mRecord.mTypeId == kTenItemsTypeId;
                const std::string picture = member ? art.substr(0, art.rfind(' ')) : art;
                if (item.mKind != SceneItemKind::Piece && !member &&
                    !pictureOwner.emplace(picture, item.mRecord.mName).second)
                    problems.push_back(where + "\"" + item.mRecord.mName + "\" looks like \"" +
                                       pictureOwner[picture] + "\"");
                if (listMode == kFullListMode && item.mKind == SceneItemKind::Plain && cp != 0)
                {
                    auto [byPicture, newPicture] = nameOfPicture.emplace(cp, item.mRecord.mName);
                    auto [byName, newName] = pictureOfName.emplace(item.mRecord.mName, cp);
                    if (!newPicture && byPicture->second != item.mRecord.mName)
                        problems.push_back(where + "\"" + item.mRecord.mName + "\" has the picture of \"" +
                                           byPicture->second + "\" elsewhere in the house");
                    if (!newName && byName->second != cp)
                        problems.push_back(where + "\"" + item.mRecord.mName +
                                           "\" is drawn otherwise elsewhere in the house");
                }
            }
            for (const SceneItemRecord& record : records)
                if (record.mType != 0 && clutterPictures.count(contentgen::artCodePoint(arts[record.mName])))
                    problems.push_back(where + "\"" + record.mName +
                                       "\" has the picture of a thing of the clutter");

            int partly = 0;
            float most = 0;
            std::vector<int> sides;
            for (const Figures& f : figures)
            {
                partly += f.hidden >= kLeastHidden && f.hidden <= kMostHidden;
                most = std::max(most, f.hidden);
                sides.push_back(f.longestSide);
                if (f.hidden > kMostHidden)
                    problems.push_back(where + "\"" + f.name + "\" is " + percent(f.hidden) +
                                       " hidden, more than " + percent(kMostHidden));
                if (f.longestSide < kSmallest || f.longestSide > kLargest)
                    problems.push_back(where + "\"" + f.name + "\" shows " + std::to_string(f.longestSide) +
                                       " pixels long, outside " + std::to_string(kSmallest) + " to " +
                                       std::to_string(kLargest));
            }
            std::sort(sides.begin(), sides.end());
            if (sides.empty())
                continue;
            const int median = sides[sides.size() / 2];
            if (listMode != kFullListMode)
                continue;
            if (partly * 3 < int(figures.size()))
                problems.push_back(where + "only " + std::to_string(partly) + " of " +
                                   std::to_string(figures.size()) + " objects are partly hidden");
            if (median > kLargestMedian)
                problems.push_back(where + "objects show " + std::to_string(median) +
                                   " pixels long in the median, more than " + std::to_string(kLargestMedian));
            if (turns < kLeastTurned)
                problems.push_back(where + "only " + std::to_string(turns) + " objects are turned");
            line = "Scene" + std::to_string(n) + ": " + std::to_string(clutter.size()) +
                   " things of clutter, " + std::to_string(inFront) + " in front; " + std::to_string(partly) +
                   " of " + std::to_string(figures.size()) + " objects partly hidden (most " + percent(most) +
                   "); sizes " + std::to_string(sides.front()) + " to " + std::to_string(sides.back()) +
                   " px, median " + std::to_string(median) + "; " + std::to_string(turns) +
                   " turned; hidden:";
            for (const Figures& f : figures)
                line += " " + f.name + " " + percent(f.hidden) + ",";
            line.back() = '\n';
        }
        if (int(clutter.size()) < kLeastClutter)
            problems.push_back(folderOf(n) + ": the room carries " + std::to_string(clutter.size()) +
                               " things of clutter, fewer than " + std::to_string(kLeastClutter));
        if (!line.empty())
            std::fputs(line.c_str(), stdout);
    }
}

} // namespace contentcheck
