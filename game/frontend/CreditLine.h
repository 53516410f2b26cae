#pragma once

#include "framework/foundation/Color.h"

#include <string>

// One centred line of the credits page.
struct CreditLine
{
    CreditLine(std::string text, int red, int green, int blue, int alpha, bool shadow)
        : mText(std::move(text)), mColor(red, green, blue, alpha), mShadow(shadow)
    {
    }

    std::string mText;
    Quib::Color mColor;
    // A black copy is drawn first, one pixel higher.
    bool mShadow;
};
