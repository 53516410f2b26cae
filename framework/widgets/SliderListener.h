#pragma once

namespace Quib
{

class SliderListener
{
public:
    virtual ~SliderListener() = default;

    // value runs from 0 to 1.
    virtual void OnSliderValue(int /*id*/, double /*value*/) {}
};

} // namespace Quib
