#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The visible pixels of one picture, for games whose pieces react only where
// they are drawn. Every lookup uses the picture's own size, so a point outside
// it, even one whose row-major index would land inside, is a miss.
class AlphaMask
{
public:
    AlphaMask() = default;
    // alpha holds width x height bytes, row by row; a short vector is refused (empty mask).
    AlphaMask(int width, int height, std::vector<uint8_t> alpha);
    // From 32-bit ARGB pixels, row by row.
    static AlphaMask FromArgb(int width, int height, const uint32_t* pixels);
    // Fully opaque, for pictures that are plain rectangles.
    static AlphaMask Solid(int width, int height);

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    bool IsOpaqueAt(int x, int y) const;

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint8_t> mAlpha;
};
