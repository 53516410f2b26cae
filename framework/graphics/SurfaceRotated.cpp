#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/Simd.h"
#include "framework/graphics/SurfacePixels.h"
#include "framework/graphics/SurfaceWholePixelRows.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Quib
{

using namespace SurfacePixels;

namespace
{

int64_t ToFixed(double value)
{
    // Far-away positions only ever skip their rows; keep the cast defined for them.
    constexpr double limit = 1e12;
    return int64_t(std::clamp(value, -limit, limit));
}

// Narrows [first, last] to the pixels whose 2 x 2 sample lies inside a source side of
// size pixels along one axis; false when no pixel of the row does. Walking backwards
// stops half a pixel inside the rectangle's first column.
bool LimitAxis(int64_t start, int64_t step, int64_t size, int64_t& first, int64_t& last)
{
    if (step > 0)
    {
        if ((start >> 16) >= size - 1)
            return false;
        first = std::max(first, (0x10000 - start) / step);
        last = std::min(last, (size * 0x10000 - start - 0x17FFF) / step);
    }
    else if (step < 0)
    {
        if ((start >> 16) < 0)
            return false;
        const int64_t from = (size * 0x10000 - start - 0x27FFF) / step;
        if (from >= 0)
            first = std::max(first, from);
        last = std::min(last, (0x7FFF - start) / step);
    }
    else if (!(start >= 0 && start < (size - 1) * 0x10000))
    {
        return false;
    }
    return true;
}

bool TapsInside(int64_t position, int64_t size)
{
    return position >= 0 && (position >> 16) + 1 < size;
}

struct Sampler
{
    const uint32_t* pixels = nullptr; // the source rectangle's corner
    int32_t stride = 0;
};

struct RotatedPaint
{
    Paint paint;
    bool additive = false;
    bool rgbOrder = true;
};

uint32_t Shade(const Target& t, const Sampler& s, int64_t u, int64_t v, uint32_t d, const RotatedPaint& rp)
{
    const uint32_t* row = s.pixels + size_t(v >> 16) * size_t(s.stride) + size_t(u >> 16);
    const uint32_t p00 = row[0];
    const uint32_t p10 = row[1];
    const uint32_t p01 = row[s.stride];
    const uint32_t p11 = row[s.stride + 1];
    const uint32_t fx = (uint32_t(u) & 0xFFFE) + 1;
    const uint32_t fy = (uint32_t(v) & 0xFFFE) + 1;
    uint32_t w11 = (((fx * fy) >> 16) * (p11 >> 24)) >> 16;
    uint32_t w01 = (((fy * (0x10000 - fx)) >> 16) * (p01 >> 24)) >> 16;
    uint32_t w10 = (((fx * (0x10000 - fy)) >> 16) * (p10 >> 24)) >> 16;
    uint32_t w00 = ((((0x10000 - fx) * (0x10000 - fy)) >> 16) * (p00 >> 24)) >> 16;
    const Paint& paint = rp.paint;
    if (!rp.additive && !paint.white)
    {
        w11 = (w11 * paint.a) >> 8;
        w01 = (w01 * paint.a) >> 8;
        w10 = (w10 * paint.a) >> 8;
        w00 = (w00 * paint.a) >> 8;
    }
    const uint32_t red =
        (p00 & 0xFF0000) * w00 + (p10 & 0xFF0000) * w10 + (p01 & 0xFF0000) * w01 + (p11 & 0xFF0000) * w11;
    const uint32_t green =
        (p00 & 0xFF00) * w00 + (p10 & 0xFF00) * w10 + (p01 & 0xFF00) * w01 + (p11 & 0xFF00) * w11;
    const uint32_t blue = (p00 & 0xFF) * w00 + (p10 & 0xFF) * w10 + (p01 & 0xFF) * w01 + (p11 & 0xFF) * w11;
    const Channel& cr = t.channel[0];
    const Channel& cg = t.channel[1];
    const Channel& cb = t.channel[2];
    const auto down = [](int32_t from, int32_t bits) { return uint32_t(std::clamp(from - bits, 0, 31)); };

    if (rp.additive)
    {
        const uint32_t r = ((red >> down(32, cr.bits)) * paint.f[0]) >> 8;
        const uint32_t g = (green * paint.f[1]) >> down(32, cg.bits);
        const uint32_t b = (blue * paint.f[2]) >> down(24, cb.bits);
        const uint32_t add[3] = {r, g, b};
        return AddChannels(t, d, add);
    }

    uint32_t sr = red;
    uint32_t sg = green;
    uint32_t sb = blue;
    if (!paint.white)
    {
        sr = (sr >> 8) * (paint.r + 1);
        sg = (sg >> 8) * (paint.g + 1);
        sb = (sb >> 8) * (paint.b + 1);
    }
    const uint32_t sums = (sr >> down(32, cr.bits)) << cr.shift | (sg >> down(24, cg.bits)) << cg.shift |
                          (sb >> down(16, cb.bits)) << cb.shift;
    const uint32_t inv = 256 - w00 - w10 - w01 - w11;
    if (paint.white && rp.rgbOrder)
    {
        if (t.packing == Packing::P565 || t.packing == Packing::P555)
        {
            const uint32_t mask = t.SpreadMask();
            return sums + Fold((Spread(d, mask) * (inv >> 3)) >> 5 & mask);
        }
        if (t.packing == Packing::Wide)
            return sums + ((d & 0x00FF00FF) * inv >> 8 & 0x00FF00FF) +
                   ((d & 0x0000FF00) * inv >> 8 & 0x0000FF00);
    }
    uint32_t out = 0;
    const uint32_t parts[3] = {(sr >> down(32, cr.bits)) << cr.shift, (sg >> down(24, cg.bits)) << cg.shift,
                               (sb >> down(16, cb.bits)) << cb.shift};
    for (int i = 0; i < 3; ++i)
        out |= parts[i] + (((d & t.channel[i].mask) * inv >> 8) & t.channel[i].mask);
    return out;
}

// Whole-pixel rows onto 32-bit surfaces of 8-bit channels at 16, 8 and 0 take the
// row routine; without vector code the per-pixel formula stays, which also keeps it
// within the tests' reach as the reference.
bool TakesWholePixelRows(const Target& t, const RotatedPaint& rp, int64_t du, int64_t dv)
{
    return !rp.additive && du == 0x10000 && dv == 0 && t.bitCount == 32 && t.channel[0].shift == 16 &&
           t.channel[1].shift == 8 && t.channel[2].shift == 0 && t.channel[0].bits == 8 &&
           t.channel[1].bits == 8 && t.channel[2].bits == 8 && ActiveSimdLevel() != SimdLevel::Scalar;
}

} // namespace

void DDImage::BlitRotated(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                          const Color& color, int32_t drawMode, double angle, float centerX, float centerY)
{
    if (source == nullptr)
        return;
    source->mDrawn = true;
    if (mNoSoftwareDraw)
        return;
    UpdateTransparencyFlags();
    if (DrawsThrough3D())
    {
        mDDInterface->Get3D()->BlitRotated(source, x, y, clip, color, drawMode, centerX, centerY, srcRect,
                                           angle);
        return;
    }
    if (!IsOpaque(true) || In3DMode())
    {
        MemoryImage::BlitRotated(source, x, y, srcRect, clip, color, drawMode, angle, centerX, centerY);
        return;
    }
    DoubleRect box;
    if (!GetRotatedBounds(x, y, srcRect, clip.Intersection(Rect(0, 0, mWidth, mHeight)), box, centerX,
                          centerY, angle))
        return;
    auto* src = dynamic_cast<MemoryImage*>(source);
    if (src == nullptr || srcRect.mX < 0 || srcRect.mY < 0 || srcRect.Right() > src->mWidth ||
        srcRect.Bottom() > src->mHeight || srcRect.mWidth <= 0 || srcRect.mHeight <= 0)
        return;
    src->UpdateTransparencyFlags();

    Sampler sampler;
    thread_local std::vector<uint32_t> paletteRows;
    if (src->mPalette && src->mIndices)
    {
        // The palette form stays; the rectangle is expanded once for the sampler.
        paletteRows.resize(size_t(srcRect.mWidth) * size_t(srcRect.mHeight));
        for (int32_t j = 0; j < srcRect.mHeight; ++j)
            for (int32_t i = 0; i < srcRect.mWidth; ++i)
                paletteRows[size_t(j) * size_t(srcRect.mWidth) + size_t(i)] =
                    src->mPalette[src->mIndices[size_t(srcRect.mY + j) * size_t(src->mWidth) +
                                                size_t(srcRect.mX + i)]];
        sampler.pixels = paletteRows.data();
        sampler.stride = srcRect.mWidth;
    }
    else
    {
        const uint32_t* bits = src->GetBits();
        if (bits == nullptr)
            return;
        sampler.pixels = bits + size_t(srcRect.mY) * size_t(src->mWidth) + size_t(srcRect.mX);
        sampler.stride = src->mWidth;
    }

    if (!LockSurface())
        return;
    Target t;
    if (MakeTarget(*this, t) && (drawMode == DRAW_MODE_NORMAL || HasTables(t)))
    {
        const RotatedPaint rp{Paint(color), drawMode != DRAW_MODE_NORMAL,
                              gDisplayRGBOrder.load(std::memory_order_relaxed)};
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        const int64_t du = int32_t(c * 65536.0);
        const int64_t dv = int32_t(s * 65536.0);
        const int32_t bx = int32_t(box.mX);
        const int32_t by = int32_t(box.mY);
        const int64_t lastCandidate = int64_t(box.mWidth - 1.0);
        const bool wholePixelRows = TakesWholePixelRows(t, rp, du, dv);
        const SurfaceWholePixelRows::Tint tint{rp.paint.r, rp.paint.g, rp.paint.b, rp.paint.a,
                                               rp.paint.white};
        const float dx = float(bx) - centerX - x;
        const auto rowStart = [&](int32_t r, double cosine, double sine, float centre)
        {
            const float dy = float(by + r) - centerY - y;
            return ToFixed((dx * cosine + dy * sine + centre) * 65536.0);
        };
        // Unturned, every row starts at the same source column, so the limits along
        // the row, two divisions each time, are found once for all rows.
        const bool unturned = s == 0.0;
        const int64_t unturnedStart = rowStart(0, c, -s, centerX);
        int64_t unturnedFirst = 0;
        int64_t unturnedLast = lastCandidate;
        const bool unturnedInside =
            unturned && LimitAxis(unturnedStart, du, srcRect.mWidth, unturnedFirst, unturnedLast);
        const double height = unturned && !unturnedInside ? 0.0 : box.mHeight;
        for (int32_t r = 0; double(r) < height; ++r)
        {
            const int64_t uStart = unturned ? unturnedStart : rowStart(r, c, -s, centerX);
            const int64_t vStart = rowStart(r, s, c, centerY);
            int64_t first = unturned ? unturnedFirst : 0;
            int64_t last = unturned ? unturnedLast : lastCandidate;
            if ((!unturned && !LimitAxis(uStart, du, srcRect.mWidth, first, last)) ||
                !LimitAxis(vStart, dv, srcRect.mHeight, first, last) || first > last)
                continue;
            int64_t u = uStart + first * du;
            int64_t v = vStart + first * dv;
            // Every tap of the row must lie in the rectangle; the limits promise it, and a
            // row that breaks the promise is left out rather than read out of bounds.
            if (!TapsInside(u, srcRect.mWidth) || !TapsInside(v, srcRect.mHeight) ||
                !TapsInside(u + (last - first) * du, srcRect.mWidth) ||
                !TapsInside(v + (last - first) * dv, srcRect.mHeight))
                continue;
            uint8_t* row = t.Row(by + r);
            if (wholePixelRows && (u & 0xFFFF) == 0 && (v & 0xFFFF) == 0)
            {
                SurfaceWholePixelRows::Draw(sampler.pixels + (v >> 16) * sampler.stride + (u >> 16),
                                            row + 4 * (bx + first), int32_t(last - first + 1), tint);
                continue;
            }
            for (int64_t i = first; i <= last; ++i, u += du, v += dv)
            {
                const int32_t px = bx + int32_t(i);
                Store(t, row, px, Shade(t, sampler, u, v, Load(t, row, px), rp));
            }
        }
    }
    UnlockSurface();
    DiscardMemoryCopies();
}

} // namespace Quib
