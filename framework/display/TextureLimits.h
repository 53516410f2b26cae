#pragma once

#include "platform/RenderDevice.h"

#include <cstdint>

namespace Quib
{

// What the device allows of a texture: sizes, the ratio of its sides, and the
// formats it takes (a mask of TextureFormat bits).
struct TextureLimits
{
    int32_t mMaxWidth = 64;
    int32_t mMaxHeight = 64;
    int32_t mMinWidth = 64;
    int32_t mMinHeight = 64;
    int32_t mMaxAspect = 1;
    uint32_t mFormatMask = 0;

    // From what the renderer reports: no size means 64 x 64 pieces of ratio 1;
    // otherwise maxima of at most 1024, minima of at least 1, and an unstated
    // ratio unlimited. A renderer states no minimum and no ratio.
    static TextureLimits FromRenderer(const platform::RendererInfo& info);
    static TextureLimits FromCaps(int32_t maxWidth, int32_t maxHeight, int32_t minWidth, int32_t minHeight,
                                  int32_t maxAspect);
};

// The size of the pieces an image is cut into, in place: powers of two near the
// image's sides (plain: the next power of two), within the limits and the ratio.
void ChooseTexturePieceSize(int32_t& width, int32_t& height, bool plainPowerOfTwo, uint32_t imageFlags,
                            const TextureLimits& limits);

// How an image of a size is cut into pieces: a grid at steps of the piece size,
// each piece a texture of the piece size except in the last column, the last
// row and the corner, which take sizes of their own.
struct TexturePieceLayout
{
    int32_t mPieceWidth = 64;
    int32_t mPieceHeight = 64;
    int32_t mLastColumnWidth = 64;
    int32_t mLastColumnHeight = 64;
    int32_t mLastRowWidth = 64;
    int32_t mLastRowHeight = 64;
    int32_t mCornerWidth = 64;
    int32_t mCornerHeight = 64;
    int32_t mColumns = 0;
    int32_t mRows = 0;
    float mUExtent = 0.0f;
    float mVExtent = 0.0f;

    int32_t PieceWidth(int32_t column, int32_t row) const;
    int32_t PieceHeight(int32_t column, int32_t row) const;
};

TexturePieceLayout LayoutTexturePieces(int32_t imageWidth, int32_t imageHeight, uint32_t imageFlags,
                                       const TextureLimits& limits);

} // namespace Quib
