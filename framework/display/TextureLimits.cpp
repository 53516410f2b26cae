#include "framework/display/TextureLimits.h"

#include "framework/display/TextureFormat.h"

#include <algorithm>
#include <array>

namespace Quib
{
namespace
{

constexpr uint32_t kSixtyFourPieces = 2;
constexpr uint32_t kMinSubdivide = 1;

bool IsPowerOfTwo(int32_t value)
{
    return value > 0 && (value & (value - 1)) == 0;
}

int32_t NextPowerOfTwo(int32_t value)
{
    int32_t power = 1;
    while (power < value)
        power <<= 1;
    return power;
}

// For each side up to 1023: its next power of two when that wastes at most 64
// texels, else the largest power of two below it that leaves a remainder of at
// most 63 or a power of two, so that the remainder is cheap to cover.
const std::array<int32_t, 1024>& PieceSizeTable()
{
    static const std::array<int32_t, 1024> table = []
    {
        std::array<int32_t, 1024> sizes{};
        for (int32_t i = 0; i < 1024; ++i)
        {
            const int32_t b = NextPowerOfTwo(std::max(i, 1));
            if (b - i <= 64)
            {
                sizes[size_t(i)] = b;
                continue;
            }
            int32_t c = b / 2;
            while (c > 1 && (i % c) > 63 && !IsPowerOfTwo(i % c))
                c /= 2;
            sizes[size_t(i)] = c;
        }
        return sizes;
    }();
    return table;
}

} // namespace

TextureLimits TextureLimits::FromCaps(int32_t maxWidth, int32_t maxHeight, int32_t minWidth,
                                      int32_t minHeight, int32_t maxAspect)
{
    TextureLimits limits;
    if (maxWidth <= 0)
        return limits;
    limits.mMaxWidth = std::clamp(maxWidth, 1, 1024);
    limits.mMaxHeight = std::clamp(maxHeight, 1, 1024);
    limits.mMinWidth = std::max(minWidth, 1);
    limits.mMinHeight = std::max(minHeight, 1);
    limits.mMaxAspect = maxAspect <= 0 ? 65536 : maxAspect;
    return limits;
}

TextureLimits TextureLimits::FromRenderer(const platform::RendererInfo& info)
{
    TextureLimits limits = FromCaps(info.maxTextureWidth, info.maxTextureHeight, 0, 0, 0);
    for (platform::TexelFormat format : info.formats)
        limits.mFormatMask |= PixelFormatType(format);
    return limits;
}

void ChooseTexturePieceSize(int32_t& width, int32_t& height, bool plainPowerOfTwo, uint32_t imageFlags,
                            const TextureLimits& limits)
{
    if (imageFlags & kSixtyFourPieces)
    {
        width = 64;
        height = 64;
        return;
    }
    const bool plain = plainPowerOfTwo || (imageFlags & kMinSubdivide) != 0;
    const auto choose = [&](int32_t side, int32_t maximum)
    {
        if (side >= maximum)
            return maximum;
        return plain ? NextPowerOfTwo(std::max(side, 1)) : PieceSizeTable()[size_t(std::max(side, 0))];
    };
    width = std::max(choose(width, limits.mMaxWidth), limits.mMinWidth);
    height = std::max(choose(height, limits.mMaxHeight), limits.mMinHeight);
    const int64_t aspect = limits.mMaxAspect;
    if (height < width)
        while (aspect * height < width)
            height *= 2;
    else if (width < height)
        while (aspect * width < height)
            width *= 2;
}

int32_t TexturePieceLayout::PieceWidth(int32_t column, int32_t row) const
{
    const bool lastColumn = column == mColumns - 1, lastRow = row == mRows - 1;
    return lastColumn ? (lastRow ? mCornerWidth : mLastColumnWidth) : (lastRow ? mLastRowWidth : mPieceWidth);
}

int32_t TexturePieceLayout::PieceHeight(int32_t column, int32_t row) const
{
    const bool lastColumn = column == mColumns - 1, lastRow = row == mRows - 1;
    return lastColumn ? (lastRow ? mCornerHeight : mLastColumnHeight)
                      : (lastRow ? mLastRowHeight : mPieceHeight);
}

TexturePieceLayout LayoutTexturePieces(int32_t imageWidth, int32_t imageHeight, uint32_t imageFlags,
                                       const TextureLimits& limits)
{
    TexturePieceLayout layout;
    int32_t w = imageWidth, h = imageHeight;
    ChooseTexturePieceSize(w, h, false, imageFlags, limits);
    layout.mPieceWidth = w;
    layout.mPieceHeight = h;

    int32_t lastColumnWidth = w, lastColumnHeight = h;
    if (imageWidth % w > 0)
    {
        lastColumnWidth = imageWidth % w;
        ChooseTexturePieceSize(lastColumnWidth, lastColumnHeight, true, imageFlags, limits);
    }
    int32_t lastRowWidth = w, lastRowHeight = h;
    if (imageHeight % h > 0)
    {
        lastRowHeight = imageHeight % h;
        ChooseTexturePieceSize(lastRowWidth, lastRowHeight, true, imageFlags, limits);
    }
    int32_t cornerWidth = lastColumnWidth, cornerHeight = lastRowHeight;
    ChooseTexturePieceSize(cornerWidth, cornerHeight, true, imageFlags, limits);

    layout.mLastColumnWidth = lastColumnWidth;
    layout.mLastColumnHeight = lastColumnHeight;
    layout.mLastRowWidth = lastRowWidth;
    layout.mLastRowHeight = lastRowHeight;
    layout.mCornerWidth = cornerWidth;
    layout.mCornerHeight = cornerHeight;
    layout.mColumns = (imageWidth + w - 1) / w;
    layout.mRows = (imageHeight + h - 1) / h;
    layout.mUExtent = float(imageWidth) / float(w);
    layout.mVExtent = float(imageHeight) / float(h);
    return layout;
}

} // namespace Quib
