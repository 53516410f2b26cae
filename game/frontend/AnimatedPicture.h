#pragma once

#include "framework/foundation/Matrix3.h"
#include "game/shell/ActionSequence.h"

#include <memory>

namespace Quib
{
class Graphics;
class Image;
} // namespace Quib

// One photo of the intro: it rolls in from the left while turning, holds,
// lets its coloured version fade in over it (when it has one) and rolls out
// to the right.
class AnimatedPicture
{
public:
    AnimatedPicture(Quib::Image* picture, Quib::Image* overlay);

    void Start();
    void Update();
    void Draw(Quib::Graphics* g);

    Quib::Image* mPicture;
    Quib::Image* mOverlay;
    int mAlpha = -1;
    int mOverlayAlpha = -1;
    float mAngle = -1.0f;
    float mAppliedAngle = -2.0f;
    float mX = -1.0f;
    float mY = 160.0f;
    Quib::Matrix3 mMatrix;
    std::unique_ptr<ActionSequence> mSequence;
};
