#pragma once

namespace Quib
{

// Receives a button's events, tagged with the integer id the button was given.
class ButtonListener
{
public:
    virtual ~ButtonListener() = default;

    // Forwards to OnButtonPressed, so a listener that only cares about presses
    // hears them whatever the click count.
    virtual void OnButtonDown(int id, int /*clickCount*/) { OnButtonPressed(id); }
    virtual void OnButtonPressed(int /*id*/) {}
    // The usual click: released while the mouse is still over the button.
    virtual void OnButtonReleased(int /*id*/) {}
    virtual void OnButtonHeld(int /*id*/) {}
    virtual void OnButtonMouseEnter(int /*id*/) {}
    virtual void OnButtonMouseLeave(int /*id*/) {}
    virtual void OnButtonMouseMove(int /*id*/, int /*x*/, int /*y*/) {}
};

} // namespace Quib
