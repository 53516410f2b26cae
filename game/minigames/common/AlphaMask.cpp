#include "game/minigames/common/AlphaMask.h"

AlphaMask::AlphaMask(int width, int height, std::vector<uint8_t> alpha)
{
    if (width <= 0 || height <= 0 || alpha.size() < size_t(width) * size_t(height))
        return;
    mWidth = width;
    mHeight = height;
    mAlpha = std::move(alpha);
}

AlphaMask AlphaMask::FromArgb(int width, int height, const uint32_t* pixels)
{
    if (width <= 0 || height <= 0 || pixels == nullptr)
        return AlphaMask();
    std::vector<uint8_t> alpha(size_t(width) * size_t(height));
    for (size_t i = 0; i < alpha.size(); ++i)
        alpha[i] = uint8_t(pixels[i] >> 24);
    return AlphaMask(width, height, std::move(alpha));
}

AlphaMask AlphaMask::Solid(int width, int height)
{
    if (width <= 0 || height <= 0)
        return AlphaMask();
    return AlphaMask(width, height, std::vector<uint8_t>(size_t(width) * size_t(height), 0xFF));
}

bool AlphaMask::IsOpaqueAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return false;
    return mAlpha[size_t(y) * size_t(mWidth) + size_t(x)] != 0;
}
