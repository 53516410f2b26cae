#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TriangleRasterizer.h"

namespace Quib
{
namespace
{

// Alpha need not be kept only in an image known to be opaque.
int32_t PixelFormatOf(const MemoryImage& image)
{
    return image.mForced && !image.mHasAlpha && !image.mHasTrans ? PIXEL_FORMAT_888 : PIXEL_FORMAT_8888;
}

} // namespace

void MemoryImage::BlitTransformed(Image* source, float x, float y, const Matrix3& matrix, const Rect& clip,
                                  const Color& color, int32_t, const Rect& srcRect, bool linearFilter)
{
    source->mDrawn = true;
    TransformToTriangles(source, x, y, matrix, clip, color, srcRect, linearFilter);
}

void MemoryImage::TransformToTriangles(Image* source, float x, float y, const Matrix3& matrix,
                                       const Rect& clip, const Color& color, const Rect& srcRect,
                                       bool linearFilter)
{
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr || src->mWidth <= 0 || src->mHeight <= 0)
        return;
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    const auto strip = TransformedQuad(src->mWidth, src->mHeight, srcRect, matrix, x, y);
    // The clip may not reach beyond this image.
    RasterizeTriangle(clip.Intersection(Rect(0, 0, mWidth, mHeight)), color, strip.data(), 4, src, bits,
                      mWidth * 4, PixelFormatOf(*this), linearFilter, false);
    MarkBitsChanged();
}

void MemoryImage::BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                                        const Rect& clip, const Color& color, int32_t, float offsetX,
                                        float offsetY, bool linearFilter)
{
    source->mDrawn = true;
    DrawTriangleList(source, vertices, triangleCount, clip, color, offsetX, offsetY, linearFilter);
}

void MemoryImage::DrawTriangleList(Image* source, const TriVertex* vertices, int32_t triangleCount,
                                   const Rect& clip, const Color& color, float offsetX, float offsetY,
                                   bool linearFilter)
{
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr)
        return;
    uint32_t* bits = GetBits();
    if (bits == nullptr)
        return;
    RasterizeTriangleList(clip.Intersection(Rect(0, 0, mWidth, mHeight)), color, vertices, triangleCount,
                          offsetX, offsetY, src, bits, mWidth * 4, PixelFormatOf(*this), linearFilter);
    MarkBitsChanged();
}

} // namespace Quib
