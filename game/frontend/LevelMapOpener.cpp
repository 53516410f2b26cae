#include "game/frontend/LevelMapOpener.h"

#include "game/play/map/MapScreen.h"

#include <memory>

ScreenBase* MakeLevelMap()
{
    auto map = std::make_unique<MapScreen>();
    return map->IsBuilt() ? map.release() : nullptr;
}
