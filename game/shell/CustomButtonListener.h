#pragma once

#include <cstdint>

// Told of a click on one of the game's preview buttons, by the button's id.
class CustomButtonListener
{
public:
    virtual ~CustomButtonListener() = default;
    virtual void OnButtonClicked(int32_t buttonId) = 0;
};
