#pragma once

#include "tools/contentgen/SceneRooms.h"

#include <string>

namespace contentgen
{

// The scene files of a room, with every object placed in its places. Each
// "Item" carries an "art" attribute, which the game does not read, saying how
// the pack draws its picture:
//   art="room"                       the room's back picture
//   art="front X Y W H"              that rectangle of the room's front layer
//   art="emoji CODEPOINT SIZE [TURN]" the emoji in a SIZE x SIZE picture,
//                                    turned by TURN degrees
//   art="piece CODEPOINT SIZE K N"   piece K of N of that emoji picture
//   art="hint SIZE"                  the 24-frame strip of a hidden hint
// The diary page's name; the string table gives the game's text for it.
constexpr const char* kDiaryPageName = "Diary page";
constexpr int kTenItemsGroup = 20;
constexpr int kCombinedGroup = 1;
constexpr int kLocationGroup = 100;
constexpr int kHintGroup = 999;
constexpr int kHintFrames = 24;

// Things of the room's clutter that stand in front of objects to find, so
// that those show only in part; they are no objects of the room.
constexpr int kCoverLayer = 21;

class PaintContext;

// The two scene files of a room, placed alike.
struct SceneFiles
{
    std::string full;     // "Scene.xml": the full list
    std::string tenItems; // "Scene10Items.xml": the ten-items visit
};

// False with a message in `error` when the room's objects do not fit. The
// room's front layer and the objects' pictures are drawn to measure how much
// of each object shows.
bool authorScene(const SceneRoom& room, PaintContext& context, SceneFiles& files, std::string& error);

} // namespace contentgen
