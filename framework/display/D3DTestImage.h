#pragma once

#include <cstdint>
#include <vector>

namespace Quib
{

// A plain block of 0xAARRGGBB pixels the acceleration tester draws and reads back.
class D3DTestImage
{
public:
    // Frees the old pixels; a size of 0 or less leaves none.
    void Allocate(int32_t width, int32_t height);
    void Fill(uint32_t argb);

    std::vector<uint32_t> mBits;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
};

} // namespace Quib
