#include "framework/graphics/TriangleSpanReference.h"

#include "framework/graphics/TriangleSpans.h"

#include <algorithm>

namespace Quib
{
namespace
{

using namespace raster;

// Sign of the pixel centre (column, row) against the edge top -> bottom, scaled so that
// >= 0 means "at or right of the crossing".
__int128 EdgeSide(const FixedVertex& top, const FixedVertex& bottom, int32_t column, int32_t row)
{
    const int64_t dy = int64_t(bottom.y) - top.y;
    const int64_t dx = int64_t(bottom.x) - top.x;
    return __int128(int64_t(column) * 65536) * dy -
           (__int128(top.x) * dy + __int128(int64_t(row) * 65536 - top.y) * dx);
}

bool Covers(const FixedVertex* v, int32_t column, int32_t row)
{
    const FixedVertex* s[3] = {&v[0], &v[1], &v[2]};
    std::sort(s, s + 3, [](const FixedVertex* a, const FixedVertex* b) { return a->y < b->y; });
    const __int128 cross = __int128(int64_t(s[1]->x) - s[0]->x) * (int64_t(s[2]->y) - s[0]->y) -
                           __int128(int64_t(s[1]->y) - s[0]->y) * (int64_t(s[2]->x) - s[0]->x);
    if (cross == 0)
        return false;
    const int64_t centre = int64_t(row) * 65536;
    if (centre < s[0]->y || centre >= s[2]->y)
        return false;
    const bool upper = centre < s[1]->y;
    const FixedVertex& shortTop = upper ? *s[0] : *s[1];
    const FixedVertex& shortBottom = upper ? *s[1] : *s[2];
    const __int128 longSide = EdgeSide(*s[0], *s[2], column, row);
    const __int128 shortSide = EdgeSide(shortTop, shortBottom, column, row);
    const __int128 leftSide = cross > 0 ? longSide : shortSide;
    const __int128 rightSide = cross > 0 ? shortSide : longSide;
    return leftSide >= 0 && rightSide < 0;
}

template <int32_t Format>
void Shade(int32_t index, const FixedVertex* v, void* dest, int32_t pitch, const TextureDescription* texture,
           const ColorRecord* color)
{
    using Access = PixelAccess<Format>;
    using Word = typename Access::Word;
    const bool textured = (index & SPAN_TEXTURED) != 0;
    const bool blended = (index & SPAN_BLENDED) != 0;
    const bool vertexColors = (index & SPAN_VERTEX_COLORS) != 0;
    const bool tinted = (index & SPAN_TINTED) != 0;
    const bool linear = (index & SPAN_LINEAR) != 0;
    const AttributePlane planes[6] = {AttributePlane(v, &FixedVertex::u), AttributePlane(v, &FixedVertex::v),
                                      AttributePlane(v, &FixedVertex::a), AttributePlane(v, &FixedVertex::r),
                                      AttributePlane(v, &FixedVertex::g), AttributePlane(v, &FixedVertex::b)};
    constexpr int64_t channelMax = (int64_t(255) << 16) | 0xFFFF;

    const int32_t top = CeilPixel(std::min({v[0].y, v[1].y, v[2].y}));
    const int32_t bottom = CeilPixel(std::max({v[0].y, v[1].y, v[2].y}));
    const int32_t left = CeilPixel(std::min({v[0].x, v[1].x, v[2].x}));
    const int32_t right = CeilPixel(std::max({v[0].x, v[1].x, v[2].x}));
    for (int32_t row = top; row < bottom; ++row)
    {
        int32_t first = -1;
        for (int32_t column = left; column < right; ++column)
        {
            if (!Covers(v, column, row))
                continue;
            if (first < 0)
                first = column;
            // Attributes start exactly at the span's first pixel and step from there.
            int64_t value[6];
            for (int k = 0; k < 6; ++k)
                value[k] = planes[k].At(first, row) + int64_t(column - first) * planes[k].Step();

            Argb s{255, 255, 255, 255};
            if (textured)
                s = linear ? FetchBilinear(*texture, value[0], value[1])
                           : Unpack(FetchNearest(*texture, value[0], value[1]));
            if (vertexColors)
            {
                const Argb vc{uint32_t(ClampFixed(value[2], channelMax) >> 16),
                              uint32_t(ClampFixed(value[3], channelMax) >> 16),
                              uint32_t(ClampFixed(value[4], channelMax) >> 16),
                              uint32_t(ClampFixed(value[5], channelMax) >> 16)};
                s = textured ? Argb{Modulate(s.a, vc.a), Modulate(s.r, vc.r), Modulate(s.g, vc.g),
                                    Modulate(s.b, vc.b)}
                             : vc;
            }
            if (tinted)
                s = {Modulate(s.a, uint32_t(color->a)), Modulate(s.r, uint32_t(color->r)),
                     Modulate(s.g, uint32_t(color->g)), Modulate(s.b, uint32_t(color->b))};
            Word* out = reinterpret_cast<Word*>(static_cast<uint8_t*>(dest) + int64_t(row) * pitch) + column;
            if (!blended)
                *out = Access::Write(s);
            else if (s.a != 0)
                *out = Access::Write(Composite(Access::Read(*out), s));
        }
    }
}

} // namespace

void DrawTriangleSpansReference(int32_t index, const FixedVertex* vertices, void* dest, int32_t pitch,
                                const TextureDescription* texture, const ColorRecord* color)
{
    switch (index & 0x60)
    {
    case SPAN_FORMAT_888:
        Shade<PIXEL_FORMAT_888>(index, vertices, dest, pitch, texture, color);
        break;
    case SPAN_FORMAT_565:
        Shade<PIXEL_FORMAT_565>(index, vertices, dest, pitch, texture, color);
        break;
    case SPAN_FORMAT_555:
        Shade<PIXEL_FORMAT_555>(index, vertices, dest, pitch, texture, color);
        break;
    default:
        Shade<PIXEL_FORMAT_8888>(index, vertices, dest, pitch, texture, color);
        break;
    }
}

} // namespace Quib
