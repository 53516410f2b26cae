#include "framework/graphics/StretchFilter.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
uint32_t Compose(uint32_t d, const uint32_t* sums)
{
    const uint32_t a = sums[3] >> 16;
    if (a == 0)
        return d;
    const uint32_t vb = sums[0] >> 16, vg = sums[1] >> 16, vr = sums[2] >> 16;
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
    std::vector<uint32_t> rows; // horizontal sums, 4 per cell, one row per window row
    std::vector<uint32_t> sums; // vertical sums of one destination row
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

} // namespace

bool Draw(const Source& source, uint32_t* dest, int32_t destWidth, const Rect& c, const DoubleRect& f)
{
    Window win;
    if (!SourceWindow(source, f, win))
        return false;
    thread_local Scratch scratch;
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
