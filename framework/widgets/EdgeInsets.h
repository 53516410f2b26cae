#pragma once

namespace Quib
{

struct EdgeInsets
{
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;

    constexpr EdgeInsets() = default;
    constexpr EdgeInsets(int left, int top, int right, int bottom)
        : mLeft(left), mTop(top), mRight(right), mBottom(bottom)
    {
    }
};

} // namespace Quib
