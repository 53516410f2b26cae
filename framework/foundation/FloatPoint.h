#pragma once

namespace Quib
{

class FloatPoint
{
public:
    constexpr FloatPoint() = default;
    constexpr FloatPoint(float x, float y) : mX(x), mY(y) {}

    constexpr bool operator==(const FloatPoint& other) const { return mX == other.mX && mY == other.mY; }
    constexpr bool operator!=(const FloatPoint& other) const { return !(*this == other); }

    float mX = 0.0f;
    float mY = 0.0f;
};

} // namespace Quib
