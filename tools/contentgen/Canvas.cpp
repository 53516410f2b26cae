#include "tools/contentgen/Canvas.h"

#include "framework/foundation/Rect.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/FontFace.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

namespace contentgen
{

namespace
{

float clamp01(float v)
{
    return v < 0 ? 0 : v > 1 ? 1 : v;
}

uint8_t toByte(float v)
{
    return uint8_t(std::lround(clamp01(v) * 255.0f));
}

Rgba fromArgb(uint32_t p)
{
    return {float((p >> 16) & 255) / 255.0f, float((p >> 8) & 255) / 255.0f, float(p & 255) / 255.0f,
            float(p >> 24) / 255.0f};
}

uint32_t toArgb(const Rgba& c)
{
    return (uint32_t(toByte(c.a)) << 24) | (uint32_t(toByte(c.r)) << 16) | (uint32_t(toByte(c.g)) << 8) |
           uint32_t(toByte(c.b));
}

uint32_t hash(int x, int y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

std::string dejaVuPath(const std::string& face)
{
    return "/usr/share/fonts/truetype/dejavu/" + face;
}

// Faces are opened once per face and size; generation is single-threaded.
platform::FontFace* faceFor(const std::string& face, int pixels)
{
    static std::map<std::pair<std::string, int>, std::unique_ptr<platform::FontFace>> faces;
    auto& slot = faces[{face, pixels}];
    if (!slot)
        slot = platform::FontFace::open(platform::FontFile{dejaVuPath(face), 0}, pixels);
    return slot.get();
}

} // namespace

Rgba rgb(uint32_t hex, float alpha)
{
    return {float((hex >> 16) & 255) / 255.0f, float((hex >> 8) & 255) / 255.0f, float(hex & 255) / 255.0f,
            alpha};
}

Rgba mix(const Rgba& a, const Rgba& b, float t)
{
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba shade(const Rgba& c, float factor)
{
    if (factor >= 1)
        return mix(c, Rgba{1, 1, 1, c.a}, factor - 1);
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Distance roundRect(float x, float y, float w, float h, float radius)
{
    float cx = x + w / 2, cy = y + h / 2, hx = w / 2 - radius, hy = h / 2 - radius;
    return {[=](float px, float py)
            {
                float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
                float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
                return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
            },
            x, y, x + w, y + h};
}

Distance ellipse(float cx, float cy, float rx, float ry)
{
    return {[=](float px, float py)
            {
                float dx = (px - cx) / rx, dy = (py - cy) / ry;
                return (std::sqrt(dx * dx + dy * dy) - 1.0f) * std::min(rx, ry);
            },
            cx - rx, cy - ry, cx + rx, cy + ry};
}

Distance capsule(float x0, float y0, float x1, float y1, float radius)
{
    return {[=](float px, float py)
            {
                float vx = x1 - x0, vy = y1 - y0, wx = px - x0, wy = py - y0;
                float len = vx * vx + vy * vy;
                float t = len > 0 ? clamp01((wx * vx + wy * vy) / len) : 0;
                float dx = wx - vx * t, dy = wy - vy * t;
                return std::sqrt(dx * dx + dy * dy) - radius;
            },
            std::min(x0, x1) - radius, std::min(y0, y1) - radius, std::max(x0, x1) + radius,
            std::max(y0, y1) + radius};
}

Distance polygon(std::vector<std::pair<float, float>> points)
{
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (auto [x, y] : points)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
    auto distance = [points = std::move(points)](float px, float py)
    {
        float best = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
        {
            auto [xi, yi] = points[i];
            auto [xj, yj] = points[j];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                inside = !inside;
            float vx = xj - xi, vy = yj - yi, wx = px - xi, wy = py - yi;
            float len = vx * vx + vy * vy;
            float t = len > 0 ? clamp01((wx * vx + wy * vy) / len) : 0;
            float dx = wx - vx * t, dy = wy - vy * t;
            best = std::min(best, dx * dx + dy * dy);
        }
        float d = std::sqrt(best);
        return inside ? -d : d;
    };
    return {distance, left, top, right, bottom};
}

float valueNoise(float x, float y, uint32_t seed)
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - float(ix), fy = y - float(iy);
    auto corner = [&](int dx, int dy) { return float(hash(ix + dx, iy + dy, seed) & 0xFFFF) / 65535.0f; };
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx;
    float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves)
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int i = 0; i < octaves; ++i)
    {
        sum += valueNoise(x, y, seed + uint32_t(i) * 101u) * amplitude;
        weight += amplitude;
        x *= 2;
        y *= 2;
        amplitude *= 0.5f;
    }
    return sum / weight;
}

Canvas::Canvas(int width, int height)
    : mWidth(width), mHeight(height), mPixels(size_t(width) * size_t(height), 0)
{
}

void Canvas::blend(int x, int y, const Rgba& c, float coverage)
{
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return;
    float sa = clamp01(c.a * coverage);
    if (sa <= 0)
        return;
    uint32_t& pixel = mPixels[size_t(y) * size_t(mWidth) + size_t(x)];
    Rgba d = fromArgb(pixel);
    float oa = sa + d.a * (1 - sa);
    if (oa <= 0)
    {
        pixel = 0;
        return;
    }
    auto channel = [&](float s, float dc) { return (s * sa + dc * d.a * (1 - sa)) / oa; };
    pixel = toArgb({channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), oa});
}

void Canvas::fill(const Rgba& c)
{
    std::fill(mPixels.begin(), mPixels.end(), toArgb(c));
}

void Canvas::fill(const Shader& shader)
{
    for (int y = 0; y < mHeight; ++y)
        for (int x = 0; x < mWidth; ++x)
            mPixels[size_t(y) * size_t(mWidth) + size_t(x)] =
                toArgb(shader(float(x) + 0.5f, float(y) + 0.5f));
}

void Canvas::fillShape(const Distance& distance, const Shader& shader, float softness)
{
    int x0 = std::max(0, int(std::floor(distance.left - softness - 1)));
    int y0 = std::max(0, int(std::floor(distance.top - softness - 1)));
    int x1 = std::min(mWidth, int(std::ceil(distance.right + softness + 1)));
    int y1 = std::min(mHeight, int(std::ceil(distance.bottom + softness + 1)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
        {
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            float d = distance(px, py);
            if (d >= softness * 0.5f)
                continue;
            float coverage = clamp01(0.5f - d / softness);
            blend(x, y, shader(px, py), coverage);
        }
}

void Canvas::fillShape(const Distance& distance, const Rgba& colour, float softness)
{
    fillShape(
        distance, [colour](float, float) { return colour; }, softness);
}

void Canvas::strokeShape(const Distance& distance, float width, const Rgba& colour)
{
    Distance band = distance;
    band.distance = [&](float x, float y) { return std::fabs(distance(x, y) + width / 2) - width / 2; };
    fillShape(band, colour);
}

void Canvas::shadow(const Distance& distance, float dx, float dy, float blur, float opacity)
{
    Distance moved{[&](float x, float y) { return distance(x - dx, y - dy) + blur * 0.25f; },
                   distance.left + dx, distance.top + dy, distance.right + dx, distance.bottom + dy};
    fillShape(moved, Rgba{0, 0, 0, opacity}, std::max(1.0f, blur));
}

void Canvas::draw(const Canvas& source, int x, int y, int w, int h, float opacity)
{
    if (source.mWidth <= 0 || source.mHeight <= 0 || w <= 0 || h <= 0)
        return;
    Quib::MemoryImage from;
    from.SetBits(source.pixels(), source.mWidth, source.mHeight, true);
    Quib::MemoryImage scaled;
    scaled.Create(w, h);
    std::fill(scaled.GetBits(), scaled.GetBits() + size_t(w) * size_t(h), 0u);
    {
        Quib::Graphics g(&scaled);
        g.SetLinearFiltering(true);
        g.DrawImageStretched(&from, Quib::Rect(0, 0, w, h), Quib::Rect(0, 0, source.mWidth, source.mHeight));
    }
    const uint32_t* bits = scaled.GetBits();
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
        {
            uint32_t p = bits[size_t(row) * size_t(w) + size_t(col)];
            if (p >> 24)
                blend(x + col, y + row, fromArgb(p), opacity);
        }
}

void Canvas::draw(const Canvas& source, int x, int y, float opacity)
{
    for (int row = 0; row < source.mHeight; ++row)
        for (int col = 0; col < source.mWidth; ++col)
        {
            uint32_t p = source.at(col, row);
            if (p >> 24)
                blend(x + col, y + row, fromArgb(p), opacity);
        }
}

void Canvas::text(const std::string& text, const std::string& face, int pixels, float x, float y,
                  const Rgba& colour, bool centred)
{
    platform::FontFace* font = faceFor(face, pixels);
    if (!font)
        return;
    int w = font->measure(text) + pixels, h = font->metrics().height + 2;
    platform::CoverageMask mask(w, h);
    font->render(text, pixels / 2, 1, mask);
    int left = int(std::lround(x)) - pixels / 2 - (centred ? font->measure(text) / 2 : 0);
    int top = int(std::lround(y)) - 1;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            if (uint8_t c = mask.pixels[size_t(row) * size_t(w) + size_t(col)])
                blend(left + col, top + row, colour, float(c) / 255.0f);
}

void Canvas::shadowedText(const std::string& text, const std::string& face, int pixels, float x, float y,
                          const Rgba& colour, bool centred)
{
    Canvas::text(text, face, pixels, x + 1, y + 2, Rgba{0, 0, 0, 0.55f}, centred);
    Canvas::text(text, face, pixels, x, y, colour, centred);
}

void Canvas::glyph(char32_t codePoint, const std::string& face, int pixels, float x, float y,
                   const Rgba& colour)
{
    platform::FontFace* font = faceFor(face, pixels);
    if (!font)
        return;
    platform::GlyphBitmap bitmap = font->renderGlyph(codePoint);
    int left = int(std::lround(x)) + bitmap.left;
    int top = int(std::lround(y)) + font->metrics().ascent - bitmap.top;
    for (int row = 0; row < bitmap.mask.height; ++row)
        for (int col = 0; col < bitmap.mask.width; ++col)
            if (uint8_t c = bitmap.mask.pixels[size_t(row) * size_t(bitmap.mask.width) + size_t(col)])
                blend(left + col, top + row, colour, float(c) / 255.0f);
}

int Canvas::textWidth(const std::string& text, const std::string& face, int pixels)
{
    platform::FontFace* font = faceFor(face, pixels);
    return font ? font->measure(text) : 0;
}

void Canvas::toGray()
{
    for (uint32_t& p : mPixels)
    {
        Rgba c = fromArgb(p);
        float l = c.r * 0.299f + c.g * 0.587f + c.b * 0.114f;
        p = toArgb({l, l, l, c.a});
    }
}

void Canvas::toSepia()
{
    for (uint32_t& p : mPixels)
    {
        Rgba c = fromArgb(p);
        float l = c.r * 0.299f + c.g * 0.587f + c.b * 0.114f;
        p = toArgb({l * 1.07f + 0.05f, l * 0.88f + 0.03f, l * 0.66f, c.a});
    }
}

Canvas Canvas::turned(float degrees) const
{
    Canvas out(mWidth, mHeight);
    const float a = degrees * 3.14159265f / 180.0f, c = std::cos(a), s = std::sin(a);
    const float cx = float(mWidth) / 2, cy = float(mHeight) / 2;
    // Bilinear sampling of premultiplied colour, so that transparent
    // neighbours do not darken the edge.
    auto sample = [&](int x, int y, float weight, float* sum)
    {
        if (x < 0 || y < 0 || x >= mWidth || y >= mHeight || weight <= 0)
            return;
        Rgba p = fromArgb(at(x, y));
        sum[0] += p.r * p.a * weight;
        sum[1] += p.g * p.a * weight;
        sum[2] += p.b * p.a * weight;
        sum[3] += p.a * weight;
    };
    for (int row = 0; row < mHeight; ++row)
        for (int col = 0; col < mWidth; ++col)
        {
            float dx = float(col) + 0.5f - cx, dy = float(row) + 0.5f - cy;
            float sx = c * dx + s * dy + cx - 0.5f, sy = -s * dx + c * dy + cy - 0.5f;
            int x0 = int(std::floor(sx)), y0 = int(std::floor(sy));
            float fx = sx - float(x0), fy = sy - float(y0);
            float sum[4] = {0, 0, 0, 0};
            sample(x0, y0, (1 - fx) * (1 - fy), sum);
            sample(x0 + 1, y0, fx * (1 - fy), sum);
            sample(x0, y0 + 1, (1 - fx) * fy, sum);
            sample(x0 + 1, y0 + 1, fx * fy, sum);
            if (sum[3] > 0)
                out.mPixels[size_t(row) * size_t(mWidth) + size_t(col)] =
                    toArgb({sum[0] / sum[3], sum[1] / sum[3], sum[2] / sum[3], sum[3]});
        }
    return out;
}

Canvas Canvas::crop(int x, int y, int w, int h) const
{
    Canvas out(w, h);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
        {
            int sx = x + col, sy = y + row;
            if (sx >= 0 && sy >= 0 && sx < mWidth && sy < mHeight)
                out.mPixels[size_t(row) * size_t(w) + size_t(col)] = at(sx, sy);
        }
    return out;
}

void Canvas::paste(const Canvas& cell, int x, int y)
{
    for (int row = 0; row < cell.mHeight; ++row)
        for (int col = 0; col < cell.mWidth; ++col)
        {
            int dx = x + col, dy = y + row;
            if (dx >= 0 && dy >= 0 && dx < mWidth && dy < mHeight)
                mPixels[size_t(dy) * size_t(mWidth) + size_t(dx)] = cell.at(col, row);
        }
}

} // namespace contentgen
