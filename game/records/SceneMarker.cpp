#include "game/records/SceneMarker.h"

SceneMarker::SceneMarker(int32_t x, int32_t y, int32_t sceneId, bool revisit)
    : mSceneId(sceneId), mX(x), mY(y),
      mStoryKey("Story" + std::to_string(sceneId) + (revisit ? "replay" : "")), mRevisit(revisit)
{
}

std::string SceneMarker::SceneName() const
{
    return "Scene" + std::to_string(mSceneId);
}
