#pragma once

#include "framework/graphics/ImageAnimation.h"
#include "framework/graphics/TriVertex.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{

class Color;
class Rect;
class Matrix3;

constexpr int32_t DRAW_MODE_NORMAL = 0;   // alpha compositing
constexpr int32_t DRAW_MODE_ADDITIVE = 1; // per-channel addition saturated at 255

// One row of a filled shape: the pixels [x, x + width) of row y.
struct Span
{
    int32_t y = 0;
    int32_t x = 0;
    int32_t width = 0;
};

// The abstract image: a size, a grid of equal cells over it, an optional animation
// record, and the drawing operations every concrete image implements. Callers clip
// before they call any operation.
class Image
{
public:
    Image() = default;
    Image(const Image& other);
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    int32_t GetWidth() const { return mWidth; }
    int32_t GetHeight() const { return mHeight; }
    // 0 for a grid without columns rather than a division by zero.
    int32_t GetCellWidth() const;
    void CopyGridAndAnimation(const Image& other);

    virtual bool FillPolygon(const int32_t* points, int32_t count, const Rect& clip, const Color& color,
                             int32_t drawMode, int32_t offsetX, int32_t offsetY);
    virtual void FillRect(const Rect& rect, const Color& color, int32_t drawMode);
    virtual void DrawRect(const Rect& rect, const Color& color, int32_t drawMode);
    virtual void ClearRect(const Rect& rect);
    virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode);
    virtual void DrawAntialiasedLine(double x1, double y1, double x2, double y2, const Color& color,
                                     int32_t drawMode);
    virtual void FillSpans(const Span* spans, int32_t count, const Color& color, int32_t drawMode);
    virtual void FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                                       const uint8_t* coverage, int32_t coverageX, int32_t coverageY,
                                       int32_t coveragePitch);
    virtual void Blit(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                      int32_t drawMode);
    virtual void BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                              const Color& color, int32_t drawMode);
    virtual void BlitRotated(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                             const Color& color, int32_t drawMode, double angle, float centerX,
                             float centerY);
    virtual void BlitStretched(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                               const Color& color, int32_t drawMode, bool unfiltered);
    virtual void BlitTransformed(Image* source, float x, float y, const Matrix3& matrix, const Rect& clip,
                                 const Color& color, int32_t drawMode, const Rect& srcRect,
                                 bool linearFilter);
    virtual void BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                                       const Rect& clip, const Color& color, int32_t drawMode, float offsetX,
                                       float offsetY, bool linearFilter);
    virtual void BlitMirrored(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                              int32_t drawMode);
    virtual void BlitStretchedMirrored(Image* source, const Rect& destRect, const Rect& srcRect,
                                       const Rect& clip, const Color& color, int32_t drawMode,
                                       bool unfiltered);

    bool mDrawn = false; // set on the source by every blit; nothing reads it
    std::string mPath;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mRows = 1;
    int32_t mColumns = 1;
    std::unique_ptr<ImageAnimation> mAnimation;
};

} // namespace Quib
