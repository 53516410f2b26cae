#pragma once

#include <algorithm>
#include <cstdint>

namespace Quib
{

// Right and bottom edges (x + width, y + height) are exclusive. Edge sums are
// formed in 64 bits so that rectangles near the int limits compare correctly.
class Rect
{
public:
    constexpr Rect() = default;
    constexpr Rect(int x, int y, int width, int height) : mX(x), mY(y), mWidth(width), mHeight(height) {}

    constexpr int64_t Right() const { return int64_t(mX) + mWidth; }
    constexpr int64_t Bottom() const { return int64_t(mY) + mHeight; }

    // Sharing only an edge or a corner is not an intersection.
    constexpr bool Intersects(const Rect& other) const
    {
        return mX < other.Right() && other.mX < Right() && mY < other.Bottom() && other.mY < Bottom();
    }

    // Rectangles that merely touch give an empty rectangle at the touching edge;
    // only disjoint ones give the all-zero rectangle.
    constexpr Rect Intersection(const Rect& other) const
    {
        int64_t left = std::max(mX, other.mX);
        int64_t right = std::min(Right(), other.Right());
        int64_t top = std::max(mY, other.mY);
        int64_t bottom = std::min(Bottom(), other.Bottom());
        if (right - left < 0 || bottom - top < 0)
            return Rect();
        return Rect(int(left), int(top), int(right - left), int(bottom - top));
    }

    constexpr bool operator==(const Rect& other) const
    {
        return mX == other.mX && mY == other.mY && mWidth == other.mWidth && mHeight == other.mHeight;
    }
    constexpr bool operator!=(const Rect& other) const { return !(*this == other); }

    int mX = 0;
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;
};

} // namespace Quib
