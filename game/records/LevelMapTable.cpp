#include "game/records/LevelMapTable.h"

#include <initializer_list>

LevelMapTable* gLevelMapTable = nullptr;

namespace
{

struct MarkerRow
{
    int32_t sceneId;
    int32_t x;
    int32_t y;
};

struct FirstVisit
{
    int32_t area;
    int32_t scrollX;
    int32_t scrollY;
    std::initializer_list<MarkerRow> markers;
};

// The levels that bring new scenes; the others return to one of these.
const FirstVisit kFirstVisits[] = {
    {1, -700, -180, {{3, -36, 404}, {1, -23, 385}, {4, 72, 278}, {2, 38, 304}}},
    {2, -50, -200, {{6, -35, 397}, {7, -121, 425}, {5, -304, 501}}},
    {3, -380, -200, {{10, -104, 370}, {9, -83, 358}, {8, 156, 435}}},
    {4, -560, -180, {{13, -79, 324}, {11, 246, 398}, {12, 60, 321}}},
    {5, -680, -160, {{14, -5, 335}, {15, 15, 485}, {17, 14, 335}, {16, 105, 298}}},
    {6, -250, -180, {{21, 37, 473}, {18, 101, 456}, {19, 11, 371}, {20, 154, 417}}},
    {7, -450, -170, {{24, 114, 410}, {23, -28, 457}, {22, -96, 474}}},
    {8, -590, -160, {{27, 233, 373}, {26, 259, 454}, {25, 140, 443}}},
    {9, -780, -160, {{30, 233, 373}, {29, 245, 424}, {28, 119, 272}}},
    {10, -740, -160, {{31, 112, 453}}},
};

// Play order: which first visit each level shows, and whether it returns to it.
struct LevelRow
{
    int firstVisit;
    bool revisit;
};

const LevelRow kLevels[LevelMapTable::kLevelCount] = {
    {0, false}, {1, false}, {2, false}, {3, false}, {0, true},  {4, false}, {1, true},
    {5, false}, {2, true},  {6, false}, {3, true},  {4, true},  {7, false}, {5, true},
    {6, true},  {8, false}, {7, true},  {8, true},  {9, false},
};

} // namespace

LevelMapTable* LevelMapTable::GetInstance()
{
    if (gLevelMapTable == nullptr)
        gLevelMapTable = new LevelMapTable();
    return gLevelMapTable;
}

void LevelMapTable::Destroy()
{
    delete gLevelMapTable;
    gLevelMapTable = nullptr;
}

LevelMapTable::LevelMapTable()
{
    for (const LevelRow& row : kLevels)
    {
        const FirstVisit& visit = kFirstVisits[row.firstVisit];
        LevelMapEntry entry(visit.area);
        for (const MarkerRow& marker : visit.markers)
            entry.AddMarker(SceneMarker(marker.x, marker.y, marker.sceneId, row.revisit));
        entry.SetScroll(visit.scrollX, visit.scrollY);
        mLevels.push_back(entry);
    }
}

const LevelMapEntry* LevelMapTable::GetLevel(int index) const
{
    if (index < 0 || index >= GetLevelCount())
        return nullptr;
    return &mLevels[size_t(index)];
}

std::vector<std::string> LevelMapTable::SceneNames(int index) const
{
    std::vector<std::string> names;
    if (const LevelMapEntry* level = GetLevel(index))
    {
        for (const SceneMarker& marker : level->mMarkers)
            names.push_back(marker.SceneName());
    }
    return names;
}

std::string LevelMapTable::LevelName(int level)
{
    return "Level" + std::to_string(level);
}
