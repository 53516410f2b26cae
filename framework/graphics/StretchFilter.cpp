#include "framework/graphics/StretchFilter.h"

#include "framework/graphics/Simd.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORVELLAN_STRETCH_SSE2 1
#endif

namespace Quib::StretchFilter
{
namespace
{

struct Window
{
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t width = 0;
    int32_t height = 0;
};

bool SourceWindow(const Source& source, const DoubleRect& f, Window& w)
{
    w.x0 = int32_t(std::floor(f.mX));
    w.y0 = int32_t(std::floor(f.mY));
    w.width = int32_t(std::ceil(f.mX - w.x0 + f.mWidth));
    w.height = int32_t(std::ceil(f.mY - w.y0 + f.mHeight));
    w.x0 = std::max(w.x0, 0);
    w.y0 = std::max(w.y0, 0);
    w.width = std::min(w.width, source.width - w.x0);
    w.height = std::min(w.height, source.height - w.y0);
    return w.width >= 1 && w.height >= 1;
}

// Enlarging steps from the first to the last source position; a mapped extent below
// one pixel would step backwards, so the step stops at 0.
double EnlargeStep(double extent, int32_t cells)
{
    const double step = cells == 1 ? extent : (extent - 1.0) / (cells - 1);
    return std::max(step, 0.0);
}

// A source position p cut to the window [low, high]; the weight of the first of the
// two neighbours (out of full) and both neighbours' indices.
struct Tap
{
    int32_t first;
    int32_t second;
    uint32_t weight;
};

Tap LinearTap(double p, int32_t low, int32_t high, double full)
{
    int32_t i = int32_t(p);
    double fraction = p - i;
    if (i < low || i > high)
    {
        i = std::clamp(i, low, high);
        fraction = 0.0;
    }
    return {i, std::min(i + 1, high), uint32_t((1.0 - fraction) * full)};
}

uint32_t Fetch(const Source& s, int32_t x, int32_t y)
{
    const size_t i = size_t(y) * size_t(s.width) + size_t(x);
    return s.palette != nullptr ? s.palette[s.indices[i]] : s.bits[i];
}

// Sums are kept as blue, green, red, alpha.
void AddScaled(uint32_t* cell, uint32_t pixel, uint32_t weight)
{
    cell[0] += (pixel & 0xFF) * weight;
    cell[1] += ((pixel >> 8) & 0xFF) * weight;
    cell[2] += ((pixel >> 16) & 0xFF) * weight;
    cell[3] += (pixel >> 24) * weight;
}

// Over an opaque pixel the filtered colour is mixed in by its coverage A; over a
// pixel that holds alpha the straight colour is composited with the framework's rule,
// so that a transparent destination receives the colour itself and not the colour
// already multiplied by A.
uint32_t ComposeValues(uint32_t d, uint32_t a, uint32_t vr, uint32_t vg, uint32_t vb)
{
    if (a == 0)
        return d;
    const uint32_t da = d >> 24;
    const uint32_t dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
    if (da == 255)
        return 0xFF000000u | ((((vr * a) >> 8) + ((dr * (256 - a)) >> 8)) << 16) |
               ((((vg * a) >> 8) + ((dg * (256 - a)) >> 8)) << 8) |
               (((vb * a) >> 8) + ((db * (256 - a)) >> 8));
    const uint32_t outA = da + (255 - da) * a / 255;
    const uint32_t f = a * 255 / outA;
    return (outA << 24) | (((dr * (256 - f) + vr * f) >> 8) << 16) | (((dg * (256 - f) + vg * f) >> 8) << 8) |
           ((db * (256 - f) + vb * f) >> 8);
}

uint32_t Compose(uint32_t d, const uint32_t* sums)
{
    return ComposeValues(d, sums[3] >> 16, sums[2] >> 16, sums[1] >> 16, sums[0] >> 16);
}

} // namespace

bool Reference(const Source& source, uint32_t* dest, int32_t destWidth, const Rect& c, const DoubleRect& f)
{
    Window win;
    if (!SourceWindow(source, f, win))
        return false;
    const int32_t cells = c.mWidth + 4;
    std::vector<uint32_t> horizontal(size_t(cells) * size_t(win.height) * 4, 0);
    std::vector<uint32_t> vertical(size_t(cells) * size_t(c.mHeight + 4) * 4, 0);
    const int32_t lastColumn = win.x0 + win.width - 1;

    for (int32_t row = 0; row < win.height; ++row)
    {
        uint32_t* grid = &horizontal[size_t(row) * size_t(cells) * 4];
        const int32_t y = win.y0 + row;
        if (c.mWidth > f.mWidth)
        {
            const double step = EnlargeStep(f.mWidth, c.mWidth);
            for (int32_t j = 1; j <= c.mWidth; ++j)
            {
                const Tap tap = LinearTap(f.mX + (j - 1) * step, win.x0, lastColumn, 257.0);
                AddScaled(&grid[size_t(j) * 4], Fetch(source, tap.first, y), tap.weight);
                AddScaled(&grid[size_t(j) * 4], Fetch(source, tap.second, y), 257 - tap.weight);
            }
        }
        else
        {
            const double r = c.mWidth / f.mWidth;
            for (int32_t i = 0; i < win.width; ++i)
            {
                const double a = 1.0 + (win.x0 - f.mX) * r + i * r;
                const double b = a + r;
                const uint32_t pixel = Fetch(source, win.x0 + i, y);
                const int32_t ta = int32_t(a);
                const int32_t tb = int32_t(b);
                if (ta == tb)
                    AddScaled(&grid[size_t(ta) * 4], pixel, uint32_t(r * 257.0));
                else
                {
                    AddScaled(&grid[size_t(ta) * 4], pixel, uint32_t((tb - a) * 257.0));
                    AddScaled(&grid[size_t(tb) * 4], pixel, uint32_t((b - tb) * 257.0));
                }
            }
        }
    }

    for (int32_t column = 0; column < cells; ++column)
    {
        auto in = [&](int32_t row)
        { return &horizontal[(size_t(row) * size_t(cells) + size_t(column)) * 4]; };
        auto out = [&](int32_t row) { return &vertical[(size_t(row) * size_t(cells) + size_t(column)) * 4]; };
        if (c.mHeight > f.mHeight)
        {
            const double step = EnlargeStep(f.mHeight, c.mHeight);
            for (int32_t j = 1; j <= c.mHeight; ++j)
            {
                const Tap tap =
                    LinearTap((f.mY - std::trunc(f.mY)) + (j - 1) * step, 0, win.height - 1, 256.0);
                for (int k = 0; k < 4; ++k)
                    out(j)[k] = in(tap.first)[k] * tap.weight + in(tap.second)[k] * (256 - tap.weight);
            }
        }
        else
        {
            const double r = c.mHeight / f.mHeight;
            for (int32_t i = 0; i < win.height; ++i)
            {
                const double a = 1.0 + (win.y0 - f.mY) * r + i * r;
                const double b = a + r;
                const int32_t fa = int32_t(std::floor(a));
                const int32_t fb = int32_t(std::floor(b));
                for (int k = 0; k < 4; ++k)
                {
                    if (fa == fb)
                        out(fa)[k] += in(i)[k] * uint32_t(r * 256.0);
                    else
                    {
                        out(fa)[k] += in(i)[k] * uint32_t((fb - a) * 256.0);
                        out(fb)[k] += in(i)[k] * uint32_t((b - fb) * 256.0);
                    }
                }
            }
        }
    }

    for (int32_t i = 0; i < c.mHeight; ++i)
    {
        uint32_t* d = dest + size_t(c.mY + i) * size_t(destWidth) + size_t(c.mX);
        for (int32_t j = 0; j < c.mWidth; ++j)
            d[j] = Compose(d[j], &vertical[(size_t(i + 1) * size_t(cells) + size_t(j + 1)) * 4]);
    }
    return true;
}

namespace
{

// One source row's contribution to a destination cell.
struct HorizontalTap
{
    int32_t cell; // 0-based destination column
    int32_t column;
    uint32_t weight;
};

struct VerticalTap
{
    int32_t row; // 0-based destination row
    int32_t sourceRow;
    uint32_t weight;
};

struct Scratch
{
    std::vector<HorizontalTap> horizontalTaps;
    std::vector<VerticalTap> verticalTaps;
    std::vector<uint32_t> sourceRow;
    std::vector<uint32_t> rows;        // horizontal sums, 4 per cell, one row per window row
    std::vector<uint32_t> sums;        // vertical sums of one destination row
    std::vector<int32_t> loadColumns;  // load column of each cell's pixel pair
    std::vector<uint16_t> pairWeights; // per cell: 4 x the first pixel's weight, 4 x the second's
    std::vector<uint16_t> cellRows;    // 4 16-bit sums per cell, cells padded to fours
};

void BuildHorizontalTaps(const DoubleRect& f, const Rect& c, const Window& win,
                         std::vector<HorizontalTap>& taps)
{
    taps.clear();
    const int32_t lastColumn = win.x0 + win.width - 1;
    if (c.mWidth > f.mWidth)
    {
        const double step = EnlargeStep(f.mWidth, c.mWidth);
        for (int32_t j = 0; j < c.mWidth; ++j)
        {
            const Tap tap = LinearTap(f.mX + j * step, win.x0, lastColumn, 257.0);
            taps.push_back({j, tap.first - win.x0, tap.weight});
            taps.push_back({j, tap.second - win.x0, 257 - tap.weight});
        }
        return;
    }
    const double r = c.mWidth / f.mWidth;
    for (int32_t i = 0; i < win.width; ++i)
    {
        const double a = 1.0 + (win.x0 - f.mX) * r + i * r;
        const double b = a + r;
        const int32_t ta = int32_t(a);
        const int32_t tb = int32_t(b);
        // Cells outside the destination (the margins) never reach a pixel.
        auto add = [&](int32_t cell, uint32_t weight)
        {
            if (cell >= 1 && cell <= c.mWidth && weight != 0)
                taps.push_back({cell - 1, i, weight});
        };
        if (ta == tb)
            add(ta, uint32_t(r * 257.0));
        else
        {
            add(ta, uint32_t((tb - a) * 257.0));
            add(tb, uint32_t((b - tb) * 257.0));
        }
    }
}

void BuildVerticalTaps(const DoubleRect& f, const Rect& c, const Window& win, std::vector<VerticalTap>& taps)
{
    taps.clear();
    if (c.mHeight > f.mHeight)
    {
        const double step = EnlargeStep(f.mHeight, c.mHeight);
        for (int32_t j = 0; j < c.mHeight; ++j)
        {
            const Tap tap = LinearTap((f.mY - std::trunc(f.mY)) + j * step, 0, win.height - 1, 256.0);
            taps.push_back({j, tap.first, tap.weight});
            taps.push_back({j, tap.second, 256 - tap.weight});
        }
        return;
    }
    const double r = c.mHeight / f.mHeight;
    for (int32_t i = 0; i < win.height; ++i)
    {
        const double a = 1.0 + (win.y0 - f.mY) * r + i * r;
        const double b = a + r;
        const int32_t fa = int32_t(std::floor(a));
        const int32_t fb = int32_t(std::floor(b));
        auto add = [&](int32_t row, uint32_t weight)
        {
            if (row >= 1 && row <= c.mHeight && weight != 0)
                taps.push_back({row - 1, i, weight});
        };
        if (fa == fb)
            add(fa, uint32_t(r * 256.0));
        else
        {
            add(fa, uint32_t((fb - a) * 256.0));
            add(fb, uint32_t((b - fb) * 256.0));
        }
    }
    // Destination rows in order, so that each is finished before the next starts.
    std::stable_sort(taps.begin(), taps.end(),
                     [](const VerticalTap& x, const VerticalTap& y) { return x.row < y.row; });
}

#ifdef ORVELLAN_STRETCH_SSE2

// Mixes two rows of horizontal cells with weights w and 256 - w and composites the
// result over destination pixels [from, cells). In 16-bit lanes a horizontal cell is at
// most 255 x 257. The vertical sum h0 x w + h1 x (256 - w) needs 24 bits, but only its
// top 8 are used: with h = 256 x hi + lo, (sum >> 16) equals (A + (B >> 8)) >> 8 for A
// and B the same sums over the high and the low bytes, and both fit 16 bits. Over
// opaque pixels A = 0 leaves the pixel as it was, so no test is needed there.
void ComposeRowSse2(const uint16_t* rowA, const uint16_t* rowB, uint32_t weight, uint32_t* d, int32_t from,
                    int32_t cells)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowBytes = _mm_set1_epi16(0xFF);
    const __m128i full = _mm_set1_epi16(256);
    const __m128i rgbMask = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i opaqueAlpha = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    const __m128i wA = _mm_set1_epi16(int16_t(weight));
    const __m128i wB = _mm_set1_epi16(int16_t(256 - weight));
    for (int32_t j = from; j < cells; j += 2)
    {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowA + size_t(j) * 4));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowB + size_t(j) * 4));
        const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(a, 8), wA),
                                           _mm_mullo_epi16(_mm_srli_epi16(b, 8), wB));
        const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(a, lowBytes), wA),
                                          _mm_mullo_epi16(_mm_and_si128(b, lowBytes), wB));
        const __m128i v = _mm_srli_epi16(_mm_add_epi16(high, _mm_srli_epi16(low, 8)), 8);
        const bool two = j + 1 < cells;
        const uint32_t d0 = d[j];
        const uint32_t d1 = two ? d[j + 1] : 0xFF000000u;
        if ((d0 & d1) >> 24 == 255)
        {
            const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF);
            const __m128i dw = _mm_unpacklo_epi8(
                _mm_unpacklo_epi32(_mm_cvtsi32_si128(int32_t(d0)), _mm_cvtsi32_si128(int32_t(d1))), zero);
            __m128i out = _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(v, alpha), 8),
                                        _mm_srli_epi16(_mm_mullo_epi16(dw, _mm_sub_epi16(full, alpha)), 8));
            out = _mm_packus_epi16(_mm_or_si128(_mm_and_si128(out, rgbMask), opaqueAlpha), zero);
            d[j] = uint32_t(_mm_cvtsi128_si32(out));
            if (two)
                d[j + 1] = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(out, 4)));
            continue;
        }
        alignas(16) uint16_t lanes[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), v);
        d[j] = ComposeValues(d0, lanes[3], lanes[2], lanes[1], lanes[0]);
        if (two)
            d[j + 1] = ComposeValues(d1, lanes[7], lanes[6], lanes[5], lanes[4]);
    }
}

// Four pixels of ComposeRowAvx2 over opaque destination pixels dd.
__attribute__((target("avx2"))) inline __m256i MixFourAvx2(const uint16_t* a4, const uint16_t* b4, __m256i wA,
                                                           __m256i wB, __m128i dd)
{
    const __m256i lowBytes = _mm256_set1_epi16(0xFF);
    const __m256i full = _mm256_set1_epi16(256);
    const __m256i rgbMask = _mm256_set1_epi64x(0x0000FFFFFFFFFFFFll);
    const __m256i opaqueAlpha = _mm256_set1_epi64x(0x00FF000000000000ll);
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a4));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b4));
    const __m256i high = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(a, 8), wA),
                                          _mm256_mullo_epi16(_mm256_srli_epi16(b, 8), wB));
    const __m256i low = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(a, lowBytes), wA),
                                         _mm256_mullo_epi16(_mm256_and_si256(b, lowBytes), wB));
    const __m256i v = _mm256_srli_epi16(_mm256_add_epi16(high, _mm256_srli_epi16(low, 8)), 8);
    const __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(v, 0xFF), 0xFF);
    const __m256i dw = _mm256_cvtepu8_epi16(dd);
    const __m256i out =
        _mm256_add_epi16(_mm256_srli_epi16(_mm256_mullo_epi16(v, alpha), 8),
                         _mm256_srli_epi16(_mm256_mullo_epi16(dw, _mm256_sub_epi16(full, alpha)), 8));
    return _mm256_or_si256(_mm256_and_si256(out, rgbMask), opaqueAlpha);
}

// The same eight pixels at a time over opaque destination pixels; returns where it
// stopped. Blocks that hold a pixel that is not opaque are skipped here (they stay as
// they were, and are the only blocks that still hold such a pixel) and finished by the
// two-pixel routine afterwards, so that the loop itself makes no calls.
__attribute__((target("avx2"))) int32_t ComposeRowAvx2(const uint16_t* rowA, const uint16_t* rowB,
                                                       uint32_t weight, uint32_t* d, int32_t cells)
{
    const __m256i opaque = _mm256_set1_epi32(int32_t(0xFF000000u));
    const __m256i wA = _mm256_set1_epi16(int16_t(weight));
    const __m256i wB = _mm256_set1_epi16(int16_t(256 - weight));
    bool skipped = false;
    int32_t j = 0;
    for (; j + 8 <= cells; j += 8)
    {
        const __m256i dd = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + j));
        if (!_mm256_testc_si256(dd, opaque))
        {
            skipped = true;
            continue;
        }
        const __m256i first =
            MixFourAvx2(rowA + size_t(j) * 4, rowB + size_t(j) * 4, wA, wB, _mm256_castsi256_si128(dd));
        const __m256i second = MixFourAvx2(rowA + size_t(j) * 4 + 16, rowB + size_t(j) * 4 + 16, wA, wB,
                                           _mm256_extracti128_si256(dd, 1));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + j),
                            _mm256_permute4x64_epi64(_mm256_packus_epi16(first, second), 0xD8));
    }
    if (skipped)
        for (int32_t k = 0; k < j; k += 8)
        {
            const __m256i dd = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + k));
            if (!_mm256_testc_si256(dd, opaque))
                ComposeRowSse2(rowA, rowB, weight, d, k, k + 8);
        }
    return j;
}

// One row of horizontal cells from a source row: each cell reads the two adjacent
// pixels at its load column with one 64-bit load and weighs them (the cell that sits on
// the window's last column reads that pixel as the second of the pair, with weights 0
// and 257, which gives the same sum as two taps on it).
void HorizontalRowSse2(const uint32_t* pixels, const int32_t* columns, const uint16_t* weights, uint16_t* out,
                       int32_t from, int32_t padded)
{
    const __m128i zero = _mm_setzero_si128();
    for (int32_t j = from; j < padded; j += 2)
    {
        const __m128i x =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + columns[j])), zero);
        const __m128i y = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + columns[j + 1])), zero);
        const __m128i xw =
            _mm_mullo_epi16(x, _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + size_t(j) * 8)));
        const __m128i yw = _mm_mullo_epi16(
            y, _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + size_t(j) * 8 + 8)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + size_t(j) * 4),
                         _mm_add_epi16(_mm_unpacklo_epi64(xw, yw), _mm_unpackhi_epi64(xw, yw)));
    }
}

// The same four cells at a time; returns where it stopped.
__attribute__((target("avx2"))) int32_t HorizontalRowAvx2(const uint32_t* pixels, const int32_t* columns,
                                                          const uint16_t* weights, uint16_t* out,
                                                          int32_t padded)
{
    auto pair = [pixels](int32_t first, int32_t second)
    {
        const __m128i low = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + first));
        return _mm_castpd_si128(
            _mm_loadh_pd(_mm_castsi128_pd(low), reinterpret_cast<const double*>(pixels + second)));
    };
    int32_t j = 0;
    for (; j + 4 <= padded; j += 4)
    {
        const __m128i ab = pair(columns[j], columns[j + 1]);
        const __m128i cd = pair(columns[j + 2], columns[j + 3]);
        const __m256i* w = reinterpret_cast<const __m256i*>(weights + size_t(j) * 8);
        const __m256i x = _mm256_mullo_epi16(_mm256_cvtepu8_epi16(ab), _mm256_loadu_si256(w));
        const __m256i y = _mm256_mullo_epi16(_mm256_cvtepu8_epi16(cd), _mm256_loadu_si256(w + 1));
        const __m256i sum = _mm256_add_epi16(_mm256_unpacklo_epi64(x, y), _mm256_unpackhi_epi64(x, y));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + size_t(j) * 4),
                            _mm256_permute4x64_epi64(sum, 0xD8));
    }
    return j;
}

// Enlarging in both directions in 16-bit lanes; false when the source window is a
// single column, which the general passes draw.
bool DrawEnlargedSse2(const Source& source, uint32_t* dest, int32_t destWidth, const Rect& c,
                      const DoubleRect& f, const Window& win, Scratch& scratch)
{
    if (win.width < 2)
        return false;
    const int32_t cells = c.mWidth;
    const int32_t padded = (cells + 3) & ~3;
    scratch.loadColumns.assign(size_t(padded), 0);
    scratch.pairWeights.assign(size_t(padded) * 8, 0);
    const double stepX = EnlargeStep(f.mWidth, c.mWidth);
    for (int32_t j = 0; j < cells; ++j)
    {
        const Tap tap = LinearTap(f.mX + j * stepX, win.x0, win.x0 + win.width - 1, 257.0);
        const bool last = tap.second == tap.first;
        scratch.loadColumns[size_t(j)] = tap.first - win.x0 - (last ? 1 : 0);
        uint16_t* w = &scratch.pairWeights[size_t(j) * 8];
        std::fill_n(w, 4, uint16_t(last ? 0 : tap.weight));
        std::fill_n(w + 4, 4, uint16_t(last ? 257 : 257 - tap.weight));
    }

    const bool avx2 = ActiveSimdLevel() == SimdLevel::Avx2;
    const size_t rowLanes = size_t(padded) * 4;
    scratch.cellRows.resize(rowLanes * size_t(win.height));
    scratch.sourceRow.resize(size_t(win.width));
    for (int32_t row = 0; row < win.height; ++row)
    {
        const size_t start = size_t(win.y0 + row) * size_t(source.width) + size_t(win.x0);
        const uint32_t* pixels = scratch.sourceRow.data();
        if (source.palette != nullptr)
            for (int32_t i = 0; i < win.width; ++i)
                scratch.sourceRow[size_t(i)] = source.palette[source.indices[start + size_t(i)]];
        else
            pixels = source.bits + start;
        uint16_t* out = &scratch.cellRows[rowLanes * size_t(row)];
        const int32_t done = avx2 ? HorizontalRowAvx2(pixels, scratch.loadColumns.data(),
                                                      scratch.pairWeights.data(), out, padded)
                                  : 0;
        HorizontalRowSse2(pixels, scratch.loadColumns.data(), scratch.pairWeights.data(), out, done, padded);
    }

    const double stepY = EnlargeStep(f.mHeight, c.mHeight);
    for (int32_t i = 0; i < c.mHeight; ++i)
    {
        const Tap tap = LinearTap((f.mY - std::trunc(f.mY)) + i * stepY, 0, win.height - 1, 256.0);
        const uint16_t* rowA = &scratch.cellRows[rowLanes * size_t(tap.first)];
        const uint16_t* rowB = &scratch.cellRows[rowLanes * size_t(tap.second)];
        uint32_t* d = dest + size_t(c.mY + i) * size_t(destWidth) + size_t(c.mX);
        const int32_t done = avx2 ? ComposeRowAvx2(rowA, rowB, tap.weight, d, cells) : 0;
        ComposeRowSse2(rowA, rowB, tap.weight, d, done, cells);
    }
    return true;
}

#endif

} // namespace

bool Draw(const Source& source, uint32_t* dest, int32_t destWidth, const Rect& c, const DoubleRect& f)
{
    Window win;
    if (!SourceWindow(source, f, win))
        return false;
    thread_local Scratch scratch;
#ifdef ORVELLAN_STRETCH_SSE2
    if (c.mWidth > f.mWidth && c.mHeight > f.mHeight && ActiveSimdLevel() != SimdLevel::Scalar &&
        DrawEnlargedSse2(source, dest, destWidth, c, f, win, scratch))
        return true;
#endif
    BuildHorizontalTaps(f, c, win, scratch.horizontalTaps);
    BuildVerticalTaps(f, c, win, scratch.verticalTaps);

    const size_t rowCells = size_t(c.mWidth) * 4;
    scratch.rows.assign(rowCells * size_t(win.height), 0);
    scratch.sourceRow.resize(size_t(win.width));
    for (int32_t row = 0; row < win.height; ++row)
    {
        uint32_t* pixels = scratch.sourceRow.data();
        const size_t start = size_t(win.y0 + row) * size_t(source.width) + size_t(win.x0);
        if (source.palette != nullptr)
            for (int32_t i = 0; i < win.width; ++i)
                pixels[i] = source.palette[source.indices[start + size_t(i)]];
        else
            std::copy_n(source.bits + start, win.width, pixels);
        uint32_t* out = &scratch.rows[rowCells * size_t(row)];
        for (const HorizontalTap& tap : scratch.horizontalTaps)
            AddScaled(out + size_t(tap.cell) * 4, pixels[tap.column], tap.weight);
    }

    scratch.sums.resize(rowCells);
    const auto& taps = scratch.verticalTaps;
    for (size_t t = 0; t < taps.size();)
    {
        const int32_t row = taps[t].row;
        std::fill(scratch.sums.begin(), scratch.sums.end(), 0u);
        uint32_t* sums = scratch.sums.data();
        for (; t < taps.size() && taps[t].row == row; ++t)
        {
            const uint32_t* in = &scratch.rows[rowCells * size_t(taps[t].sourceRow)];
            const uint32_t weight = taps[t].weight;
            for (size_t k = 0; k < rowCells; ++k)
                sums[k] += in[k] * weight;
        }
        uint32_t* d = dest + size_t(c.mY + row) * size_t(destWidth) + size_t(c.mX);
        for (int32_t j = 0; j < c.mWidth; ++j)
            d[j] = Compose(d[j], sums + size_t(j) * 4);
    }
    return true;
}

} // namespace Quib::StretchFilter
