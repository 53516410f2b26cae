#pragma once

// Told when a game slider is pressed and released, by the slider's id; the
// values themselves still go to the slider's own listener while it is dragged.
class CustomSliderListener
{
public:
    virtual ~CustomSliderListener() = default;
    virtual void OnSliderReleased(int) {}
    virtual void OnSliderPressed(int) {}
};
