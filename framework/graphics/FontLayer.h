#pragma once

#include "framework/foundation/Color.h"
#include "framework/graphics/FontGlyph.h"
#include "framework/graphics/SharedImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Quib
{

class FontData;

// One layer of a bitmap font: a glyph image with its glyph table, colours and
// metrics, and the point sizes and tags it serves. Copies share the image.
class FontLayer
{
public:
    explicit FontLayer(FontData* owner) : mFontData(owner) {}

    FontData* mFontData;
    std::vector<std::string> mRequiredTags; // upper-case
    std::vector<std::string> mExcludedTags; // upper-case
    std::array<FontGlyph, 256> mCharData;   // by mapped character code
    Color mColorMult{255, 255, 255, 255};
    Color mColorAdd{0, 0, 0, 0};
    SharedImageHandle mImage;
    int32_t mDrawMode = -1; // -1: the drawing context's mode
    int32_t mOffsetX = 0;
    int32_t mOffsetY = 0;
    int32_t mSpacing = 0;
    int32_t mMinPointSize = -1;
    int32_t mMaxPointSize = -1;
    int32_t mPointSize = 0;
    int32_t mAscent = 0;
    int32_t mAscentPadding = 0;
    int32_t mHeight = 0; // 0: use mDefaultHeight
    int32_t mDefaultHeight = 0;
    int32_t mLineSpacingOffset = 0;
    int32_t mBaseOrder = 0;
};

} // namespace Quib
