#pragma once

#include <cstdint>
#include <string>

// One scene of a level on the map.
struct SceneMarker
{
    int32_t mSceneId = 0;
    int32_t mX = 0;
    int32_t mY = 0;
    // "Story<id>", followed by "replay" on a returning level.
    std::string mStoryKey;
    bool mRevisit = false;

    SceneMarker(int32_t x, int32_t y, int32_t sceneId, bool revisit);

    // "Scene<id>": the key of the scene's folder and of every record of it.
    std::string SceneName() const;
};
