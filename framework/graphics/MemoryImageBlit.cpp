#include "framework/graphics/BlitArea.h"
#include "framework/graphics/BlitKernels.h"
#include "framework/graphics/MemoryImage.h"

#include <vector>

namespace Quib
{

namespace
{

// Source rows come from the 32-bit pixels, or are looked up through the palette into
// a scratch row that lives as long as the thread, so a palette source keeps its form.
class SourceRows
{
public:
    explicit SourceRows(MemoryImage& source)
        : mWidth(source.mWidth),
          mPalette(source.mPalette && source.mIndices ? source.mPalette.get() : nullptr),
          mIndices(mPalette != nullptr ? source.mIndices.get() : nullptr),
          mBits(mPalette != nullptr ? nullptr : source.GetBits())
    {
    }

    // False for a source whose pixels cannot be had, such as a surface that may not be read.
    bool Readable() const { return mBits != nullptr || mPalette != nullptr; }

    const uint32_t* Row(int32_t x, int32_t y, int32_t count)
    {
        const size_t start = size_t(y) * size_t(mWidth) + size_t(x);
        if (mBits != nullptr)
            return mBits + start;
        static thread_local std::vector<uint32_t> scratch;
        if (scratch.size() < size_t(count))
            scratch.resize(size_t(count));
        for (int32_t i = 0; i < count; ++i)
            scratch[size_t(i)] = mPalette[mIndices[start + size_t(i)]];
        return scratch.data();
    }

private:
    int32_t mWidth;
    const uint32_t* mPalette;
    const uint8_t* mIndices;
    const uint32_t* mBits;
};

void DrawRows(MemoryImage& dst, MemoryImage& src, const BlitArea& area, BlitOp op, const BlitColor& color)
{
    uint32_t* bits = dst.GetBits();
    SourceRows rows(src);
    if (bits == nullptr || !rows.Readable())
        return;
    const uint8_t* runs = op == BlitOp::BlendOpaqueDest ? src.GetRLAlphaData() : nullptr;
    // A blit of an image onto itself reads every source row before it is drawn over:
    // rows go bottom-up when the destination lies lower, and each source row is copied.
    const bool self = &src == &dst;
    const bool upwards = self && area.dstY > area.srcY;
    static thread_local std::vector<uint32_t> copy;
    const BlitRows::RowFunction draw = BlitRows::Select(op);
    for (int32_t i = 0; i < area.height; ++i)
    {
        const int32_t row = upwards ? area.height - 1 - i : i;
        const int32_t sy = area.srcY + row;
        uint32_t* d = bits + size_t(area.dstY + row) * size_t(dst.mWidth) + size_t(area.dstX);
        const uint32_t* s = rows.Row(area.srcX, sy, area.width);
        if (self)
        {
            copy.assign(s, s + area.width);
            s = copy.data();
        }
        const uint8_t* r =
            runs != nullptr ? runs + size_t(sy) * size_t(src.mWidth) + size_t(area.srcX) : nullptr;
        draw(d, s, r, area.width, color);
    }
}

} // namespace

void MemoryImage::Blit(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                       int32_t drawMode)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr)
        return;
    if (drawMode == DRAW_MODE_NORMAL)
        BlitNormal(src, x, y, srcRect, color);
    else if (drawMode == DRAW_MODE_ADDITIVE)
        BlitAdditive(src, x, y, srcRect, color);
}

void MemoryImage::BlitNormal(MemoryImage* source, int32_t x, int32_t y, const Rect& srcRect,
                             const Color& color)
{
    GetBits();
    BlitArea area;
    if (ClipBlitArea(mWidth, mHeight, source->mWidth, source->mHeight, x, y, srcRect, area))
    {
        const BlitColor c = ToBlitColor(color);
        BlitOp op = BlitOp::BlendColor;
        if (color.IsWhite())
            op = !mHasAlpha && !mHasTrans ? BlitOp::BlendOpaqueDest : BlitOp::BlendWhite;
        else if (c.r == c.g && c.g == c.b)
            op = BlitOp::BlendGrey;
        DrawRows(*this, *source, area, op, c);
    }
    MarkBitsChanged();
}

void MemoryImage::BlitAdditive(MemoryImage* source, int32_t x, int32_t y, const Rect& srcRect,
                               const Color& color)
{
    GetBits();
    BlitArea area;
    if (ClipBlitArea(mWidth, mHeight, source->mWidth, source->mHeight, x, y, srcRect, area))
    {
        BlitColor m = ToBlitColor(color);
        BlitOp op;
        if (color.IsWhite())
        {
            op = source->mHasAlpha ? BlitOp::AddWhiteAlpha : BlitOp::AddWhite;
        }
        else
        {
            op = source->mHasAlpha ? BlitOp::AddColorAlpha : BlitOp::AddColor;
            m = {m.a * m.r / 255, m.a * m.g / 255, m.a * m.b / 255, 0};
        }
        DrawRows(*this, *source, area, op, m);
    }
    MarkBitsChanged();
}

void MemoryImage::BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                               const Color& color, int32_t drawMode)
{
    if (source != nullptr)
        source->mDrawn = true;
    BlitRotated(source, x, y, srcRect, clip, color, drawMode, 0.0, 0.0f, 0.0f);
}

} // namespace Quib
