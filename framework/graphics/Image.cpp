#include "framework/graphics/Image.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"

namespace Quib
{

Image::Image(const Image& other)
    : mWidth(other.mWidth), mHeight(other.mHeight), mRows(other.mRows), mColumns(other.mColumns),
      mAnimation(other.mAnimation ? std::make_unique<ImageAnimation>(*other.mAnimation) : nullptr)
{
}

Image::~Image() = default;

int32_t Image::GetCellWidth() const
{
    return mColumns > 0 ? mWidth / mColumns : 0;
}

void Image::CopyGridAndAnimation(const Image& other)
{
    mRows = other.mRows;
    mColumns = other.mColumns;
    mAnimation = other.mAnimation ? std::make_unique<ImageAnimation>(*other.mAnimation) : nullptr;
}

bool Image::FillPolygon(const int32_t*, int32_t, const Rect&, const Color&, int32_t, int32_t, int32_t)
{
    return false;
}

void Image::FillRect(const Rect&, const Color&, int32_t) {}

void Image::DrawRect(const Rect& rect, const Color& color, int32_t drawMode)
{
    // An outline of (w + 1) x (h + 1) pixels that covers no pixel twice, so translucent
    // and additive outlines have even corners.
    const int32_t x = rect.mX;
    const int32_t y = rect.mY;
    const int32_t w = rect.mWidth;
    const int32_t h = rect.mHeight;
    FillRect(Rect(x, y, w + 1, 1), color, drawMode);
    FillRect(Rect(x, y + h, w + 1, 1), color, drawMode);
    FillRect(Rect(x, y + 1, 1, h - 1), color, drawMode);
    FillRect(Rect(x + w, y + 1, 1, h - 1), color, drawMode);
}

void Image::ClearRect(const Rect&) {}

void Image::DrawLine(double, double, double, double, const Color&, int32_t) {}

void Image::DrawAntialiasedLine(double, double, double, double, const Color&, int32_t) {}

void Image::FillSpans(const Span* spans, int32_t count, const Color& color, int32_t drawMode)
{
    for (int32_t i = 0; i < count; ++i)
        FillRect(Rect(spans[i].x, spans[i].y, spans[i].width, 1), color, drawMode);
}

void Image::FillSpansWithCoverage(const Span*, int32_t, const Color&, int32_t, const uint8_t*, int32_t,
                                  int32_t, int32_t)
{
}

void Image::Blit(Image*, int32_t, int32_t, const Rect&, const Color&, int32_t) {}

void Image::BlitSubpixel(Image*, float, float, const Rect&, const Rect&, const Color&, int32_t) {}

void Image::BlitRotated(Image*, float, float, const Rect&, const Rect&, const Color&, int32_t, double, float,
                        float)
{
}

void Image::BlitStretched(Image*, const Rect&, const Rect&, const Rect&, const Color&, int32_t, bool) {}

void Image::BlitTransformed(Image*, float, float, const Matrix3&, const Rect&, const Color&, int32_t,
                            const Rect&, bool)
{
}

void Image::BlitTexturedTriangles(Image*, const TriVertex*, int32_t, const Rect&, const Color&, int32_t,
                                  float, float, bool)
{
}

void Image::BlitMirrored(Image*, int32_t, int32_t, const Rect&, const Color&, int32_t) {}

void Image::BlitStretchedMirrored(Image*, const Rect&, const Rect&, const Rect&, const Color&, int32_t, bool)
{
}

} // namespace Quib
