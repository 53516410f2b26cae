#include "game/records/LevelMapEntry.h"

const SceneMarker* LevelMapEntry::GetMarker(int index) const
{
    if (index < 0 || index >= GetMarkerCount())
        return nullptr;
    return &mMarkers[size_t(index)];
}

void LevelMapEntry::SetScroll(int32_t x, int32_t y)
{
    mScrollX = x;
    mScrollY = y;
}
