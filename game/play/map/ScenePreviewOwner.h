#pragma once

#include <cstdint>

// What a scene button asks of the map it stands on.
class ScenePreviewOwner
{
public:
    virtual ~ScenePreviewOwner() = default;

    // Clicks on the buttons wait while the map fades, zooms or slides its buttons.
    virtual bool IsAnimating() const = 0;
    // The scene at the index opens once the map has faded to black.
    virtual void OpenSceneAfterFade(int32_t index) = 0;
};
