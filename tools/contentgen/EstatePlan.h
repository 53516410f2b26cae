#pragma once

#include <string>
#include <vector>

namespace contentgen
{

// The estate map (1600 x 1200) as the level map shows it: where the marker
// pin of each scene points, and the room or place drawn there for it.

// What a place is, for its floor and walls.
enum class PlaceKind
{
    Room,     // boards under a roof
    Service,  // stone tiles: kitchens and cellars
    Outdoors, // grass open to the sky
    Stone,    // flagstones: chapel and crypt
};

struct EstatePlace
{
    int scene = 0;
    const char* name = ""; // the scene's name as the string table has it
    char32_t emoji = 0;
    PlaceKind kind = PlaceKind::Room;
    // Where the scene's pin points on the map, copied from the level map
    // table as the map screen places the buttons and the pin.
    int pinX = 0, pinY = 0;
};

struct PlanBox
{
    float left = 0, top = 0, right = 0, bottom = 0;
    bool contains(float x, float y, float margin) const
    {
        return x >= left + margin && x <= right - margin && y >= top + margin && y <= bottom - margin;
    }
};

// A scene's drawn region: a room of the house's plan or, for a scene whose
// pin shares another's spot, a hatch inside that room.
struct PlanRoom
{
    int scene = 0;
    PlanBox box;
    bool hatch = false;
};

constexpr int kEstateMapWidth = 1600, kEstateMapHeight = 1200;

const std::vector<EstatePlace>& estatePlaces();
const EstatePlace* findPlace(int scene);

// The house's outer walls.
PlanBox houseBox();

// The house divided into one room per pin by walls laid midway across the
// widest gaps between pins; pins closer than a wall can part share a room.
std::vector<PlanRoom> estateRooms();

// The 800 x 600 part of the estate map that the level of the scene shows
// once the map has zoomed onto its area.
PlanBox levelView(int scene);

// The ten map areas the levels zoom onto, by number from 1.
std::string areaName(int area);
constexpr int kAreaCount = 10;

} // namespace contentgen
