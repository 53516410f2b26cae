#include "tools/contentgen/EstatePlan.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

// Pins closer than this share a room: no wall fits between them.
constexpr float kSharedSpot = 12;
// The half size of the hatch drawn for a scene that shares its spot.
constexpr float kHatchHalfWidth = 17, kHatchHalfHeight = 12;

struct Spot
{
    int scene;
    float x, y;
};

// Lays a wall across the widest gap between the spots, along either axis,
// and divides each side again until every room holds one spot.
void divide(const PlanBox& box, std::vector<Spot> spots, std::vector<PlanRoom>& rooms)
{
    if (spots.size() == 1)
    {
        rooms.push_back(PlanRoom{spots.front().scene, box, false});
        return;
    }
    float widest = -1, cut = 0;
    bool vertical = true;
    for (bool alongX : {true, false})
    {
        std::vector<float> values;
        for (const Spot& spot : spots)
            values.push_back(alongX ? spot.x : spot.y);
        std::sort(values.begin(), values.end());
        for (size_t i = 1; i < values.size(); ++i)
            if (values[i] - values[i - 1] > widest)
            {
                widest = values[i] - values[i - 1];
                cut = std::round((values[i] + values[i - 1]) / 2);
                vertical = alongX;
            }
    }
    std::vector<Spot> before, after;
    for (const Spot& spot : spots)
        ((vertical ? spot.x : spot.y) < cut ? before : after).push_back(spot);
    PlanBox first = box, second = box;
    if (vertical)
        first.right = second.left = cut;
    else
        first.bottom = second.top = cut;
    divide(first, before, rooms);
    divide(second, after, rooms);
}

} // namespace

const std::vector<EstatePlace>& estatePlaces()
{
    static const std::vector<EstatePlace> kPlaces = {
        {1, "Front Porch", 0x1F6AA, PlaceKind::Stone, 922, 624},
        {2, "Entrance Hall", 0x1F3DB, PlaceKind::Room, 1303, 543},
        {3, "Cloakroom", 0x1F9E5, PlaceKind::Room, 749, 643},
        {4, "Morning Room", 0x2615, PlaceKind::Room, 1177, 517},
        {5, "Library", 0x1F4DA, PlaceKind::Room, 271, 760},
        {6, "Reading Nook", 0x1F4D6, PlaceKind::Room, 140, 656},
        {7, "Map Room", 0x1F5FA, PlaceKind::Room, 254, 684},
        {8, "Kitchen", 0x1F373, PlaceKind::Service, 1061, 694},
        {9, "Pantry", 0x1F96B, PlaceKind::Service, 622, 617},
        {10, "Scullery", 0x1F9FD, PlaceKind::Service, 401, 629},
        {11, "Dining Room", 0x1F37D, PlaceKind::Room, 1131, 637},
        {12, "Butler's Pantry", 0x1F6CE, PlaceKind::Service, 1145, 560},
        {13, "Silver Vault", 0x1F510, PlaceKind::Service, 606, 563},
        {14, "Drawing Room", 0x1F6CB, PlaceKind::Room, 760, 554},
        {15, "Music Room", 0x1F3B9, PlaceKind::Room, 940, 704},
        {16, "Conservatory", 0x1FAB4, PlaceKind::Outdoors, 1350, 517},
        {17, "Billiard Room", 0x1F3B1, PlaceKind::Room, 1099, 554},
        {18, "Master Bedroom", 0x1F6CF, PlaceKind::Room, 596, 695},
        {19, "Dressing Room", 0x1F457, PlaceKind::Room, 666, 610},
        {20, "Nursery", 0x1F9F8, PlaceKind::Room, 969, 656},
        {21, "Guest Bedroom", 0x1F9F3, PlaceKind::Room, 372, 712},
        {22, "Attic Stairs", 0x1FA9C, PlaceKind::Room, 879, 703},
        {23, "Attic", 0x1F4E6, PlaceKind::Room, 747, 686},
        {24, "Clock Tower", 0x1F570, PlaceKind::Stone, 689, 639},
        {25, "Wine Cellar", 0x1F377, PlaceKind::Service, 1255, 662},
        {26, "Boiler Room", 0x1F525, PlaceKind::Service, 1174, 673},
        {27, "Old Well", 0x1FAA3, PlaceKind::Outdoors, 948, 592},
        {28, "Chapel", 0x26EA, PlaceKind::Stone, 1424, 491},
        {29, "Crypt", 0x26B0, PlaceKind::Stone, 1350, 643},
        {30, "Stables", 0x1F40E, PlaceKind::Service, 1138, 592},
        {31, "The Study", 0x1F58B, PlaceKind::Room, 1177, 672},
    };
    return kPlaces;
}

const EstatePlace* findPlace(int scene)
{
    for (const EstatePlace& place : estatePlaces())
        if (place.scene == scene)
            return &place;
    return nullptr;
}

PlanBox levelView(int scene)
{
    // The level map's scroll offsets of the ten areas, and the last scene of each area.
    struct Area
    {
        int lastScene;
        float scrollX, scrollY;
    };
    static const Area kAreas[] = {{4, -700, -180},  {7, -50, -200},   {10, -380, -200}, {13, -560, -180},
                                  {17, -680, -160}, {21, -250, -180}, {24, -450, -170}, {27, -590, -160},
                                  {30, -780, -160}, {31, -740, -160}};
    for (const Area& area : kAreas)
        if (scene <= area.lastScene)
            return PlanBox{-area.scrollX, -area.scrollY, -area.scrollX + 800, -area.scrollY + 600};
    return PlanBox{0, 0, float(kEstateMapWidth), float(kEstateMapHeight)};
}

PlanBox houseBox()
{
    return PlanBox{80, 440, 1480, 800};
}

std::vector<PlanRoom> estateRooms()
{
    // A spot close to one already taken becomes a hatch in that room; the
    // later scene in the table takes the room itself.
    std::vector<Spot> spots;
    std::vector<Spot> sharing;
    for (const EstatePlace& place : estatePlaces())
    {
        Spot spot{place.scene, float(place.pinX), float(place.pinY)};
        auto near = std::find_if(spots.begin(), spots.end(),
                                 [&](const Spot& other)
                                 { return std::hypot(other.x - spot.x, other.y - spot.y) < kSharedSpot; });
        if (near == spots.end())
        {
            spots.push_back(spot);
            continue;
        }
        sharing.push_back(*near);
        *near = spot;
    }
    std::vector<PlanRoom> rooms;
    divide(houseBox(), spots, rooms);
    for (const Spot& spot : sharing)
        rooms.push_back(PlanRoom{spot.scene,
                                 PlanBox{spot.x - kHatchHalfWidth, spot.y - kHatchHalfHeight,
                                         spot.x + kHatchHalfWidth, spot.y + kHatchHalfHeight},
                                 true});
    return rooms;
}

std::string areaName(int area)
{
    static const char* const kNames[kAreaCount] = {
        "The Front Rooms", "The Library Wing", "The Kitchens", "The Dining Rooms",   "The Reception Rooms",
        "The Bedrooms",    "The Attics",       "The Cellars",  "The Chapel Grounds", "His Lordship's Study"};
    return area >= 1 && area <= kAreaCount ? kNames[area - 1] : std::string();
}

} // namespace contentgen
