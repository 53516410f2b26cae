#pragma once

#include "framework/widgets/Slider.h"

class CustomSliderListener;

// A slider that also reports its presses and releases. Releasing reports no
// value: values are reported only while the thumb is dragged.
class CustomSlider : public Quib::Slider
{
public:
    using Quib::Slider::Slider;

    void OnMouseDown(int x, int y, int clickCode) override;
    void OnMouseReleased(int x, int y) override;

    CustomSliderListener* mPressListener = nullptr;
};
