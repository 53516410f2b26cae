#pragma once

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/Image.h"

namespace Quib
{

class Font;

// The drawing state of a context; a plain copyable record so that saving and
// restoring it is a copy.
class GraphicsState
{
public:
    Image* mDestImage = nullptr; // not owned
    float mTransX = 0.0f;
    float mTransY = 0.0f;
    // Scale of image draws about (mScaleOrigX, mScaleOrigY) in translated coordinates;
    // no operation of the context sets them.
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    float mScaleOrigX = 0.0f;
    float mScaleOrigY = 0.0f;
    // Absolute coordinates of the destination.
    Rect mClipRect;
    Color mColor;
    Font* mFont = nullptr; // not owned
    int32_t mDrawMode = DRAW_MODE_NORMAL;
    bool mTintImages = false;
    bool mUnfilteredStretch = false;
    bool mColorCodesEnabled = true;
    bool mLinearFiltering = false;
};

} // namespace Quib
