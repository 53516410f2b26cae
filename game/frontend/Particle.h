#pragma once

#include "framework/foundation/Color.h"

#include <cstdint>

namespace Quib
{
class Graphics;
class Image;
} // namespace Quib

class ParticleField;

// One puff of menu smoke: it rises along a parabola that bends to the left,
// grows from a quarter of its picture, and fades from alpha 160 towards 80
// over its life time.
struct Particle
{
    Particle(int lifeTime, float x, float y, float riseSpeed);

    // Milliseconds of game time since the spawn.
    int GetAge() const;
    void Update();
    void Draw(Quib::Graphics* g) const;

    ParticleField* mField = nullptr;
    float mX, mY;
    float mStartX, mStartY;
    float mRiseSpeed;
    int mImageWidth = 0;
    int mImageHeight = 0;
    float mCurve = -0.25f;
    int64_t mBirthTime;
    int mLifeTime;
    Quib::Image* mImage;
    Quib::Color mColor{255, 255, 255, 255};
    float mJitter;
    float mGrowth = 0.0f;
};
