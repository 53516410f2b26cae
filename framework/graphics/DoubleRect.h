#pragma once

#include <algorithm>

namespace Quib
{

// The rectangle the transformed blitters work in before they snap to pixels.
struct DoubleRect
{
    constexpr DoubleRect() = default;
    constexpr DoubleRect(double x, double y, double width, double height)
        : mX(x), mY(y), mWidth(width), mHeight(height)
    {
    }

    // The same rule as the integer intersection: rectangles that only touch give an
    // empty rectangle at the touching edge, disjoint ones the all-zero rectangle.
    constexpr DoubleRect Intersection(const DoubleRect& other) const
    {
        const double left = std::max(mX, other.mX);
        const double right = std::min(mX + mWidth, other.mX + other.mWidth);
        const double top = std::max(mY, other.mY);
        const double bottom = std::min(mY + mHeight, other.mY + other.mHeight);
        if (right - left < 0.0 || bottom - top < 0.0)
            return DoubleRect();
        return DoubleRect(left, top, right - left, bottom - top);
    }

    constexpr bool operator==(const DoubleRect& other) const
    {
        return mX == other.mX && mY == other.mY && mWidth == other.mWidth && mHeight == other.mHeight;
    }

    double mX = 0.0;
    double mY = 0.0;
    double mWidth = 0.0;
    double mHeight = 0.0;
};

} // namespace Quib
