#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/LineSteps.h"
#include "framework/graphics/TriangleRasterizer.h"

#include <algorithm>
#include <cmath>

namespace Quib
{
namespace
{

using LineSteps::Drawable;
using LineSteps::Trunc;

// The rasteriser's format for the locked surface; 0 for layouts it has no spans for.
int32_t RasterFormat(const LockedSurfaceDesc& lock)
{
    if (lock.bitCount == 32 && lock.redMask == 0xFF0000 && lock.greenMask == 0xFF00 && lock.blueMask == 0xFF)
        return PIXEL_FORMAT_888;
    if (lock.bitCount == 16 && lock.redMask == 0xF800 && lock.greenMask == 0x7E0 && lock.blueMask == 0x1F)
        return PIXEL_FORMAT_565;
    if (lock.bitCount == 16 && lock.redMask == 0x7C00 && lock.greenMask == 0x3E0 && lock.blueMask == 0x1F)
        return PIXEL_FORMAT_555;
    return 0;
}

} // namespace

bool DDImage::FillPolygon(const int32_t* points, int32_t count, const Rect& clip, const Color& color,
                          int32_t drawMode, int32_t offsetX, int32_t offsetY)
{
    if (!DrawsThrough3D())
        return false;
    mDDInterface->Get3D()->FillPolygon(points, count, clip, color, drawMode, offsetX, offsetY);
    return true;
}

void DDImage::FillRect(const Rect& rect, const Color& color, int32_t drawMode)
{
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->FillRect(rect, color, drawMode);
        return;
    }
    UpdateTransparencyFlags();
    if (!IsOpaque(true) || In3DMode())
    {
        if (CanDrawInMemory())
            MemoryImage::FillRect(rect, color, drawMode);
        return;
    }
    if (drawMode == DRAW_MODE_NORMAL)
        FillRectNormal(rect, color);
    else if (drawMode == DRAW_MODE_ADDITIVE)
        FillRectAdditive(rect, color);
    DiscardMemoryCopies();
}

void DDImage::Blit(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                   int32_t drawMode)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    UpdateTransparencyFlags();
    if (DrawsThrough3D())
    {
        // Even an opaque surface goes through the device: the frame lives in its
        // texture, so a copy into the draw surface would be lost.
        mDDInterface->Get3D()->Blit(source, float(x), float(y), srcRect, color, drawMode, false);
        return;
    }
    if (IsOpaque(true) && (!In3DMode() || mDDInterface->IsCursorAreaImage(this)))
    {
        if (drawMode == DRAW_MODE_NORMAL)
            BlitNormal(source, x, y, srcRect, color);
        else if (drawMode == DRAW_MODE_ADDITIVE)
            BlitAdditive(source, x, y, srcRect, color);
        DiscardMemoryCopies();
        return;
    }
    if (CanDrawInMemory())
        MemoryImage::Blit(source, x, y, srcRect, color, drawMode);
}

void DDImage::BlitMirrored(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                           int32_t drawMode)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    UpdateTransparencyFlags();
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->BlitMirrored(srcRect, source, float(x), float(y), color, drawMode);
        return;
    }
    if (drawMode == DRAW_MODE_NORMAL)
        BlitMirroredNormal(source, x, y, srcRect, color);
    else if (drawMode == DRAW_MODE_ADDITIVE)
        BlitMirroredAdditive(source, x, y, srcRect, color);
    DiscardMemoryCopies();
}

void DDImage::BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                           const Color& color, int32_t drawMode)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    if (!DrawsThrough3D())
    {
        BlitRotated(source, x, y, srcRect, clip, color, drawMode, 0.0, 0.0f, 0.0f);
        return;
    }
    const DoubleRect area(x, y, srcRect.mWidth, srcRect.mHeight);
    const DoubleRect clipped = area.Intersection(DoubleRect(clip.mX, clip.mY, clip.mWidth, clip.mHeight));
    if (clipped == area)
        mDDInterface->Get3D()->Blit(source, x, y, srcRect, color, drawMode, true);
    else if (clipped.mWidth > 0.0 && clipped.mHeight > 0.0)
        mDDInterface->Get3D()->BlitSubpixel(source, x, y, srcRect, clip, color, drawMode);
}

void DDImage::BlitTransformed(Image* source, float x, float y, const Matrix3& matrix, const Rect& clip,
                              const Color& color, int32_t drawMode, const Rect& srcRect, bool linearFilter)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->BlitTransformed(source, clip, color, drawMode, srcRect, matrix, linearFilter,
                                               x, y, true);
        return;
    }
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr || src->mWidth <= 0 || src->mHeight <= 0 || !LockSurface())
        return;
    const int32_t format = RasterFormat(mLockedDesc);
    if (format == 0)
    {
        // The rasteriser has no spans for this layout: the picture is drawn in memory
        // and the surface follows it.
        UnlockSurface();
        MemoryImage::BlitTransformed(source, x, y, matrix, clip, color, drawMode, srcRect, linearFilter);
        return;
    }
    // The same quad as the memory image's, so that both paths place the picture alike.
    const auto strip = TransformedQuad(src->mWidth, src->mHeight, srcRect, matrix, x, y);
    RasterizeTriangle(clip.Intersection(Rect(0, 0, mWidth, mHeight)), color, strip.data(), 4, src,
                      mLockedDesc.bits, mLockedDesc.pitch, format, linearFilter, false);
    UnlockSurface();
    DiscardMemoryCopies();
}

void DDImage::BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                                    const Rect& clip, const Color& color, int32_t drawMode, float offsetX,
                                    float offsetY, bool linearFilter)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->BlitTexturedTriangles(source, vertices, triangleCount, clip, color, drawMode,
                                                     offsetX, offsetY, linearFilter);
        return;
    }
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr || !LockSurface())
        return;
    const int32_t format = RasterFormat(mLockedDesc);
    if (format == 0)
    {
        UnlockSurface();
        MemoryImage::BlitTexturedTriangles(source, vertices, triangleCount, clip, color, drawMode, offsetX,
                                           offsetY, linearFilter);
        return;
    }
    RasterizeTriangleList(clip.Intersection(Rect(0, 0, mWidth, mHeight)), color, vertices, triangleCount,
                          offsetX, offsetY, src, mLockedDesc.bits, mLockedDesc.pitch, format, linearFilter);
    UnlockSurface();
    DiscardMemoryCopies();
}

bool DDImage::DrawLineOffSurface(double x1, double y1, double x2, double y2, const Color& color,
                                 int32_t drawMode)
{
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->DrawLine(x1, y1, x2, y2, color, drawMode);
        return true;
    }
    if (mForceMemoryDraw || mHasAlpha || mHasTrans || In3DMode())
    {
        if (CanDrawInMemory())
            MemoryImage::DrawLine(x1, y1, x2, y2, color, drawMode);
        return true;
    }
    return false;
}

void DDImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode)
{
    if (DrawLineOffSurface(x1, y1, x2, y2, color, drawMode) || !Drawable(x1, y1, x2, y2))
        return;
    if (y1 == y2)
    {
        const int32_t left = Trunc(std::min(x1, x2));
        FillRect(Rect(left, Trunc(y1), Trunc(std::max(x1, x2)) - left + 1, 1), color, drawMode);
        return;
    }
    if (x1 == x2)
    {
        const int32_t top = Trunc(std::min(y1, y2));
        FillRect(Rect(Trunc(x1), top, 1, Trunc(std::max(y1, y2)) - top + 1), color, drawMode);
        return;
    }
    UpdateTransparencyFlags();
    if (drawMode == DRAW_MODE_NORMAL)
        DrawLineNormal(x1, y1, x2, y2, color);
    else if (drawMode == DRAW_MODE_ADDITIVE)
        DrawLineAdditive(x1, y1, x2, y2, color);
    DiscardMemoryCopies();
}

void DDImage::DrawAntialiasedLine(double x1, double y1, double x2, double y2, const Color& color,
                                  int32_t drawMode)
{
    if (DrawLineOffSurface(x1, y1, x2, y2, color, drawMode) || !Drawable(x1, y1, x2, y2))
        return;
    if (y1 == y2 || x1 == x2)
    {
        DrawLine(x1, y1, x2, y2, color, drawMode);
        return;
    }
    UpdateTransparencyFlags();
    if (drawMode == DRAW_MODE_NORMAL)
        DrawAntialiasedLineNormal(x1, y1, x2, y2, color);
    else if (drawMode == DRAW_MODE_ADDITIVE)
        DrawAntialiasedLineAdditive(x1, y1, x2, y2, color);
    DiscardMemoryCopies();
}

} // namespace Quib
