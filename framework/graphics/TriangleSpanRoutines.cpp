#include "framework/graphics/TriangleRasterizer.h"
#include "framework/graphics/TriangleSpans.h"

#include <array>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Quib
{
namespace
{

using namespace raster;

constexpr int64_t kChannelMax = (int64_t(255) << 16) | 0xFFFF;

// The shared compositing rule with its divisions skipped where they are known: over an
// opaque pixel the result stays opaque and the blend factor is the source alpha.
inline Argb CompositeFast(Argb d, Argb s)
{
    if (s.a >= 255)
        return {255, s.r, s.g, s.b};
    if (d.a == 255)
        return {255, (d.r * (256 - s.a) + s.r * s.a) >> 8, (d.g * (256 - s.a) + s.g * s.a) >> 8,
                (d.b * (256 - s.a) + s.b * s.a) >> 8};
    return Composite(d, s);
}

#if defined(__SSE2__)
// FetchBilinear in 16-bit lanes. A row value c0 x (256 - fx) + c1 x fx fits 16 bits;
// the column mix needs 24, of which only the top 8 are kept, so it is summed over the
// rows' high and low bytes apart: ((A + (B >> 8)) >> 8) equals (sum >> 16) exactly.
__attribute__((always_inline)) inline __m128i BilinearLanes(const TextureDescription& t, int64_t u, int64_t v)
{
    const int32_t su = int32_t(ClampFixed(u - 32768, t.maxU));
    const int32_t sv = int32_t(ClampFixed(v - 32768, t.maxV));
    const int32_t x0 = su >> 16;
    const int32_t y0 = sv >> 16;
    const int16_t fx = int16_t((uint32_t(su) >> 8) & 0xFF);
    const int16_t fy = int16_t((uint32_t(sv) >> 8) & 0xFF);
    const int32_t x1 = x0 + (x0 < t.width - 1 ? 1 : 0);
    const int32_t y1 = y0 + (y0 < t.height - 1 ? 1 : 0);
    const uint32_t* row0 = t.bits + size_t(y0) * size_t(t.width);
    const uint32_t* row1 = t.bits + size_t(y1) * size_t(t.width);
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int32_t(row0[x0])), _mm_cvtsi32_si128(int32_t(row0[x1]))), zero);
    const __m128i bottom = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int32_t(row1[x0])), _mm_cvtsi32_si128(int32_t(row1[x1]))), zero);
    const int16_t ifx = int16_t(256 - fx);
    const __m128i wx = _mm_set_epi16(fx, fx, fx, fx, ifx, ifx, ifx, ifx);
    __m128i t0 = _mm_mullo_epi16(top, wx);
    __m128i t1 = _mm_mullo_epi16(bottom, wx);
    t0 = _mm_add_epi16(t0, _mm_srli_si128(t0, 8));
    t1 = _mm_add_epi16(t1, _mm_srli_si128(t1, 8));
    const __m128i w0 = _mm_set1_epi16(int16_t(256 - fy));
    const __m128i w1 = _mm_set1_epi16(fy);
    const __m128i lowBytes = _mm_set1_epi16(0xFF);
    const __m128i high =
        _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(t0, 8), w0), _mm_mullo_epi16(_mm_srli_epi16(t1, 8), w1));
    const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(t0, lowBytes), w0),
                                      _mm_mullo_epi16(_mm_and_si128(t1, lowBytes), w1));
    return _mm_srli_epi16(_mm_add_epi16(high, _mm_srli_epi16(low, 8)), 8);
}

inline Argb FetchBilinearFast(const TextureDescription& t, int64_t u, int64_t v)
{
    return Unpack(uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(BilinearLanes(t, u, v), _mm_setzero_si128()))));
}

// The common transformed draw, a filtered texture blended over 32-bit pixels, kept in
// lanes from the fetch to the store: the tint multiplies every lane by (k + 1) >> 8,
// and over an opaque pixel d x (256 - a) + s x a is one multiply-add per channel.
// Other destination pixels take the shared rule.
template <bool Tinted>
__attribute__((always_inline)) inline void BlendBilinear(const TextureDescription& t, int64_t u, int64_t v,
                                                         __m128i tint, uint32_t* out, bool destHasAlpha)
{
    __m128i s = BilinearLanes(t, u, v);
    if constexpr (Tinted)
        s = _mm_srli_epi16(_mm_mullo_epi16(s, tint), 8);
    const uint32_t a = uint32_t(_mm_extract_epi16(s, 3));
    if (a == 0)
        return;
    const __m128i zero = _mm_setzero_si128();
    const uint32_t d = *out;
    if (a == 255)
    {
        *out = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(s, zero))) | 0xFF000000u;
        return;
    }
    if (destHasAlpha && (d >> 24) != 255)
    {
        const Argb mixed =
            Composite(Unpack(d), Unpack(uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(s, zero)))));
        *out = Pack(mixed.a, mixed.r, mixed.g, mixed.b);
        return;
    }
    const __m128i pairs = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int32_t(d)), zero), s);
    const __m128i sums = _mm_madd_epi16(pairs, _mm_set1_epi32(int32_t((a << 16) | (256 - a))));
    const __m128i values = _mm_srli_epi32(sums, 8);
    *out = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(values, zero), zero))) | 0xFF000000u;
}
#else
inline Argb FetchBilinearFast(const TextureDescription& t, int64_t u, int64_t v)
{
    return FetchBilinear(t, u, v);
}
#endif

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
#if defined(__SSE2__)
    constexpr bool kLanesBlend = (Format == PIXEL_FORMAT_8888 || Format == PIXEL_FORMAT_888) && kTextured &&
                                 kLinear && kBlended && !kVertexColors;
    const __m128i tintLanes = _mm_set_epi16(0, 0, 0, 0, int16_t(tint.a + 1), int16_t(tint.r + 1),
                                            int16_t(tint.g + 1), int16_t(tint.b + 1));
#endif

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
#if defined(__SSE2__)
                if constexpr (kLanesBlend)
                {
                    BlendBilinear<kTinted>(tex, u, vv, tintLanes, out, Format == PIXEL_FORMAT_8888);
                    u += planeU.Step();
                    vv += planeV.Step();
                    continue;
                }
#endif
                Argb s{255, 255, 255, 255};
                if constexpr (kTextured)
                {
                    if constexpr (kLinear)
                        s = FetchBilinearFast(tex, u, vv);
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
                    *out = Access::Write(CompositeFast(Access::Read(*out), s));
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
