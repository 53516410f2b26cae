#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contentgen
{

// One piece of furniture or fitting of a room, in the 800 x 600 picture: its
// box (x, y the top-left corner; the floor line is the bottom of most pieces).
struct Furniture
{
    std::string kind;
    float x = 0, y = 0, w = 0, h = 0;
    uint32_t colour = 0; // the piece's main colour where its kind has one
    char32_t emoji = 0;  // for kinds drawn from the emoji face (plants, lamps, statues)
};

// An object of the room's list: its name in the item list and its picture.
struct RoomObject
{
    std::string name;
    char32_t emoji = 0;
    int size = 44; // the longer side of its picture, in pixels
};

// What the scene screen needs of a room besides its look: the findable
// objects, the ten-items group, and the usable object with its pieces and place.
struct SceneRoom
{
    int number = 0;
    std::string wall;  // "paper", "panel", "stone", "brick", "plank", "tile", "glass", "night"
    std::string floor; // "boards", "flags", "tiles", "earth", "carpet", "straw"
    uint32_t wallColour = 0, accentColour = 0, floorColour = 0;
    uint32_t light = 0xffffff; // the colour of the room's light, which tints the objects
    float floorLine = 400;     // where the back wall meets the floor
    std::vector<Furniture> furniture;
    std::vector<RoomObject> objects;
    RoomObject group;    // drawn ten times: the ten-items visit
    RoomObject combined; // the usable object, cut into `pieces` pieces
    int pieces = 2;
    RoomObject location; // where the usable object is used
};

// The 31 rooms of the house, Scene1 first.
const std::vector<SceneRoom>& sceneRooms();

} // namespace contentgen
