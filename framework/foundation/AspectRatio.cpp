#include "framework/foundation/AspectRatio.h"

#include <cstdint>

namespace Quib
{

void AspectRatio::Set(int width, int height)
{
    // 64-bit so that INT_MIN operands neither overflow nor trap.
    int64_t c = height;
    int64_t d = width;
    while (c != 0)
    {
        const int64_t r = d % c;
        d = c;
        c = r;
    }
    if (d == 0)
        return;
    mWidth = static_cast<int>(width / d);
    mHeight = static_cast<int>(height / d);
}

bool AspectRatio::IsWiderThan(const AspectRatio& other) const
{
    const int64_t w1 = mWidth, h1 = mHeight, w2 = other.mWidth, h2 = other.mHeight;
    if (h2 != 0 && w2 * h1 / h2 < w1)
        return true;
    return h1 != 0 && w2 < w1 * h2 / h1;
}

} // namespace Quib
