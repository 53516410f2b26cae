#include "framework/display/D3DTestImage.h"

#include <algorithm>

namespace Quib
{

void D3DTestImage::Allocate(int32_t width, int32_t height)
{
    mBits.clear();
    mWidth = 0;
    mHeight = 0;
    if (width <= 0 || height <= 0)
        return;
    mBits.assign(size_t(width) * size_t(height), 0);
    mWidth = width;
    mHeight = height;
}

void D3DTestImage::Fill(uint32_t argb)
{
    std::fill(mBits.begin(), mBits.end(), argb);
}

} // namespace Quib
