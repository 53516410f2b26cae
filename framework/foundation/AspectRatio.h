#pragma once

namespace Quib
{

// A width:height ratio, always kept reduced by the greatest common divisor.
class AspectRatio
{
public:
    AspectRatio() = default;
    AspectRatio(int width, int height) { Set(width, height); }

    // A 0:0 ratio has no meaning; setting one leaves the ratio unchanged.
    void Set(int width, int height);
    // Truncating integer comparison in both directions; either one saying
    // "wider" is enough. A zero height is never divided by.
    bool IsWiderThan(const AspectRatio& other) const;

    bool operator==(const AspectRatio& other) const
    {
        return mWidth == other.mWidth && mHeight == other.mHeight;
    }

    int mWidth = 1;
    int mHeight = 1;
};

} // namespace Quib
