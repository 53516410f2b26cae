#include "framework/graphics/TriangleRasterizer.h"
#include "framework/graphics/TriangleSpans.h"

#include <array>
#include <utility>

namespace Quib
{
namespace
{

using namespace raster;

constexpr int64_t kChannelMax = (int64_t(255) << 16) | 0xFFFF;

// One routine per combination of format and flags, so that the per-pixel loop
// carries no tests of its own beyond the ones the flags ask for.
template <int32_t Format, int32_t Flags>
void SpanRoutine(const FixedVertex* v, void* dest, int32_t pitch, const TextureDescription* texture,
                 const ColorRecord* color)
{
    constexpr bool kTextured = (Flags & SPAN_TEXTURED) != 0;
    constexpr bool kBlended = (Flags & SPAN_BLENDED) != 0;
    constexpr bool kVertexColors = (Flags & SPAN_VERTEX_COLORS) != 0;
    constexpr bool kTinted = (Flags & SPAN_TINTED) != 0;
    constexpr bool kLinear = (Flags & SPAN_LINEAR) != 0;
    using Access = PixelAccess<Format>;
    using Word = typename Access::Word;

    AttributePlane planeU, planeV, planeA, planeR, planeG, planeB;
    if constexpr (kTextured)
    {
        planeU = AttributePlane(v, &FixedVertex::u);
        planeV = AttributePlane(v, &FixedVertex::v);
    }
    if constexpr (kVertexColors)
    {
        planeA = AttributePlane(v, &FixedVertex::a);
        planeR = AttributePlane(v, &FixedVertex::r);
        planeG = AttributePlane(v, &FixedVertex::g);
        planeB = AttributePlane(v, &FixedVertex::b);
    }
    const ColorRecord tint = *color;
    const TextureDescription tex = kTextured ? *texture : TextureDescription();

    ForEachTriangleSpan(
        v,
        [&](int32_t row, int32_t first, int32_t end)
        {
            Word* out = reinterpret_cast<Word*>(static_cast<uint8_t*>(dest) + int64_t(row) * pitch) + first;
            int64_t u = 0, vv = 0, a = 0, r = 0, g = 0, b = 0;
            if constexpr (kTextured)
            {
                u = planeU.At(first, row);
                vv = planeV.At(first, row);
            }
            if constexpr (kVertexColors)
            {
                a = planeA.At(first, row);
                r = planeR.At(first, row);
                g = planeG.At(first, row);
                b = planeB.At(first, row);
            }
            for (int32_t x = first; x < end; ++x, ++out)
            {
                Argb s{255, 255, 255, 255};
                if constexpr (kTextured)
                {
                    if constexpr (kLinear)
                        s = FetchBilinear(tex, u, vv);
                    else
                        s = Unpack(FetchNearest(tex, u, vv));
                    u += planeU.Step();
                    vv += planeV.Step();
                }
                if constexpr (kVertexColors)
                {
                    const uint32_t va = uint32_t(ClampFixed(a, kChannelMax) >> 16);
                    const uint32_t vr = uint32_t(ClampFixed(r, kChannelMax) >> 16);
                    const uint32_t vg = uint32_t(ClampFixed(g, kChannelMax) >> 16);
                    const uint32_t vb = uint32_t(ClampFixed(b, kChannelMax) >> 16);
                    if constexpr (kTextured)
                        s = {Modulate(s.a, va), Modulate(s.r, vr), Modulate(s.g, vg), Modulate(s.b, vb)};
                    else
                        s = {va, vr, vg, vb};
                    a += planeA.Step();
                    r += planeR.Step();
                    g += planeG.Step();
                    b += planeB.Step();
                }
                if constexpr (kTinted)
                    s = {Modulate(s.a, uint32_t(tint.a)), Modulate(s.r, uint32_t(tint.r)),
                         Modulate(s.g, uint32_t(tint.g)), Modulate(s.b, uint32_t(tint.b))};
                if constexpr (kBlended)
                {
                    if (s.a == 0)
                        continue;
                    *out = Access::Write(Composite(Access::Read(*out), s));
                }
                else
                {
                    *out = Access::Write(s);
                }
            }
        });
}

constexpr int32_t FormatOfIndex(size_t index)
{
    switch (index & 0x60)
    {
    case SPAN_FORMAT_888:
        return PIXEL_FORMAT_888;
    case SPAN_FORMAT_565:
        return PIXEL_FORMAT_565;
    case SPAN_FORMAT_555:
        return PIXEL_FORMAT_555;
    default:
        return PIXEL_FORMAT_8888;
    }
}

template <size_t... I> constexpr std::array<TriangleSpanRoutine, 128> MakeTable(std::index_sequence<I...>)
{
    return {&SpanRoutine<FormatOfIndex(I), int32_t(I & 31)>...};
}

} // namespace

const std::array<TriangleSpanRoutine, 128> gTriangleSpanRoutines = MakeTable(std::make_index_sequence<128>());

} // namespace Quib
