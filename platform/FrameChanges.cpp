#include "platform/FrameChanges.h"

#include <algorithm>
#include <cstring>

namespace platform
{

const std::vector<WindowRect>& FrameChanges::compare(const uint32_t* pixels, int width, int height,
                                                     int pitchBytes)
{
    mChanged.clear();
    if (width <= 0 || height <= 0)
        return mChanged;
    const size_t rowBytes = size_t(width) * sizeof(uint32_t);
    const auto row = [&](int y)
    {
        return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(pixels) +
                                                 ptrdiff_t(y) * pitchBytes);
    };
    if (width != mWidth || height != mHeight || mLast.empty())
    {
        mWidth = width;
        mHeight = height;
        mLast.resize(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            std::memcpy(mLast.data() + size_t(y) * size_t(width), row(y), rowBytes);
        mChanged.push_back({0, 0, width, height});
        return mChanged;
    }
    WindowRect band{0, 0, 0, 0};
    int bandRight = 0;
    for (int y = 0; y < height; ++y)
    {
        const uint32_t* now = row(y);
        uint32_t* last = mLast.data() + size_t(y) * size_t(width);
        if (std::memcmp(now, last, rowBytes) == 0)
        {
            if (band.height > 0)
            {
                band.width = bandRight - band.x;
                mChanged.push_back(band);
                band.height = 0;
            }
            continue;
        }
        int left = 0;
        while (now[left] == last[left])
            ++left;
        int right = width;
        while (now[right - 1] == last[right - 1])
            --right;
        std::memcpy(last + left, now + left, size_t(right - left) * sizeof(uint32_t));
        if (band.height == 0)
        {
            band = {left, y, 0, 1};
            bandRight = right;
        }
        else
        {
            band.x = std::min(band.x, left);
            bandRight = std::max(bandRight, right);
            ++band.height;
        }
    }
    if (band.height > 0)
    {
        band.width = bandRight - band.x;
        mChanged.push_back(band);
    }
    return mChanged;
}

void FrameChanges::forget()
{
    mLast.clear();
}

} // namespace platform
