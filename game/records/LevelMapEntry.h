#pragma once

#include "game/records/SceneMarker.h"

#include <cstdint>
#include <vector>

// One level of the map: the area it shows, its scenes in their fixed order and
// where the map stands when it zooms into the area.
struct LevelMapEntry
{
    int32_t mArea = 0;
    std::vector<SceneMarker> mMarkers;
    int32_t mScrollX = 0;
    int32_t mScrollY = 0;

    explicit LevelMapEntry(int32_t area) : mArea(area) {}

    const SceneMarker* GetMarker(int index) const;
    int GetMarkerCount() const { return int(mMarkers.size()); }
    void AddMarker(const SceneMarker& marker) { mMarkers.push_back(marker); }
    void SetScroll(int32_t x, int32_t y);
};
