#pragma once

#include <string>

// What the usable object asks of the playfield that holds it.
class ActionItemOwner
{
public:
    virtual ~ActionItemOwner() = default;

    // Only the first scene's object pulses to draw the eye.
    virtual std::string GetSceneName() const = 0;
    // Clicks on the object wait while the scene screen slides, fades or waits to end.
    virtual bool IsScreenAnimating() = 0;
    // Carried by the player: the playfield draws it under the pointer instead.
    virtual bool IsHeldSelected() const = 0;
    virtual void ToggleHeldSelection() = 0;
    virtual void DeselectHeldItem() = 0;
};
