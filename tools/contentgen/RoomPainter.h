#pragma once

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/SceneRooms.h"

#include <vector>

namespace contentgen
{

class PaintContext;

// A place where an object can lie: its bottom edge rests on the line y
// between x0 and x1 (the object's centre), it may be at most maxHeight tall,
// and `sink` of its height reaches below the line, behind whatever the front
// layer draws there. `layer` orders it against the room's front pieces.
struct RoomSpot
{
    float x0 = 0, x1 = 0, y = 0, maxHeight = 0, sink = 0;
    int layer = 20;
};

// A part of the front layer: drawn over the objects behind it.
struct FrontPiece
{
    int x = 0, y = 0, w = 0, h = 0;
};

// Where things can go in a room and which parts of it stand in front.
struct RoomLayout
{
    std::vector<RoomSpot> spots;
    std::vector<FrontPiece> fronts;
    std::vector<FrontPiece> solids; // furniture boxes that floor objects keep clear of
};

// Layer numbers of the scene file.
constexpr int kBackgroundLayer = 0;
constexpr int kBehindLayer = 10;
constexpr int kObjectLayer = 20;
constexpr int kFrontLayer = 50;
constexpr int kOnFrontLayer = 60;
constexpr int kHintLayer = 70;

RoomLayout layoutRoom(const SceneRoom& room);

// A thing of the room's clutter, painted into its back picture: an emoji of
// size x size pixels with its top-left corner at (x, y), turned by `turn` degrees.
struct ClutterThing
{
    char32_t codePoint = 0;
    int x = 0, y = 0, size = 0;
    float turn = 0;
};

// The pictures the room's clutter takes: the house's odds and ends less every
// picture of an object of the room (its list, its group, its usable object and
// its place), so that nothing in the clutter passes for an object to find.
std::vector<char32_t> clutterPictures(const SceneRoom& room);

// The clutter the back picture carries, from the back to the front.
std::vector<ClutterThing> roomClutter(const SceneRoom& room, const RoomLayout& layout);

// The room's back picture (opaque, 800 x 600) and its front layer (mostly
// transparent, the same size), lit alike.
void paintRoomLayers(const SceneRoom& room, PaintContext& context, Canvas& back, Canvas& front);

} // namespace contentgen
