#pragma once

#include <cstdint>

// What the scene screen's heads-up widgets ask of the screen that owns them.
class SceneHudOwner
{
public:
    virtual ~SceneHudOwner() = default;

    // Input on the display is ignored while the screen slides, fades or waits to end.
    virtual bool IsAnimating() = 0;
    // The countdown of timed play has reached zero.
    virtual void OnTimeExceeded() = 0;
    // The playfield's count of wanted items not yet found.
    virtual int32_t GetItemsLeft() = 0;
};
