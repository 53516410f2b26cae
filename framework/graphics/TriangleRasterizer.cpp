#include "framework/graphics/TriangleRasterizer.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <bit>

namespace Quib
{
namespace
{

// A triangle gains at most one vertex per clip stage (3 + 4) and each stage adds at
// most two crossing points. Per thread, so that images drawn on the loading thread
// never share it with the main thread.
constexpr int32_t kMaxClipped = 7;
thread_local TriVertex tClipPool[8];
thread_local int32_t tClipPoolCount = 0;

uint8_t LerpByte(float t, uint32_t a, uint32_t b, int shift)
{
    const int ca = int((a >> shift) & 0xFF);
    const int cb = int((b >> shift) & 0xFF);
    return uint8_t(int(t * float(cb - ca) + float(ca)));
}

uint32_t LerpColor(float t, uint32_t a, uint32_t b)
{
    return (uint32_t(LerpByte(t, a, b, 24)) << 24) | (uint32_t(LerpByte(t, a, b, 16)) << 16) |
           (uint32_t(LerpByte(t, a, b, 8)) << 8) | LerpByte(t, a, b, 0);
}

// The crossing is always computed from the vertex outside towards the one inside, so
// that an edge two triangles share is cut at the very same point in both.
const TriVertex* Crossing(const TriVertex& a, const TriVertex& b, float edge, bool vertical)
{
    TriVertex& c = tClipPool[tClipPoolCount++];
    float t;
    if (vertical)
    {
        t = (edge - a.x) / (b.x - a.x);
        c.x = (b.x - a.x) * t + a.x;
        c.y = a.y + t * (b.y - a.y);
    }
    else
    {
        t = (edge - a.y) / (b.y - a.y);
        c.y = (b.y - a.y) * t + a.y;
        c.x = a.x + t * (b.x - a.x);
    }
    // A crossing lies between its end points; non-finite input collapses onto the first.
    t = t >= 0.0f ? (t <= 1.0f ? t : 1.0f) : 0.0f;
    c.u = a.u + t * (b.u - a.u);
    c.v = a.v + t * (b.v - a.v);
    c.color = LerpColor(t, a.color, b.color);
    return &c;
}

template <class Inside>
int32_t ClipStage(const TriVertex* const* in, int32_t n, const TriVertex** out, float edge, bool vertical,
                  Inside inside)
{
    int32_t count = 0;
    for (int32_t i = 0; i < n; ++i)
    {
        const TriVertex* s = in[i];
        const TriVertex* p = in[(i + 1) % n];
        const bool sIn = inside(*s);
        const bool pIn = inside(*p);
        if (sIn && pIn)
            out[count++] = s;
        else if (!sIn && pIn)
            out[count++] = Crossing(*s, *p, edge, vertical);
        else if (sIn && !pIn)
        {
            out[count++] = s;
            out[count++] = Crossing(*p, *s, edge, vertical);
        }
    }
    return count;
}

// NaN lands on the low edge, so nothing outside the range reaches the fixed-point cast.
float ClampFloat(float value, float low, float high)
{
    return value >= low ? (value <= high ? value : high) : low;
}

} // namespace

int32_t ClipPolygonToRect(const TriVertex* const triangle[3], const TriVertex** out, float left, float right,
                          float top, float bottom)
{
    tClipPoolCount = 0;
    const TriVertex* a[kMaxClipped + 1];
    const TriVertex* b[kMaxClipped + 1];
    int32_t n = ClipStage(triangle, 3, a, left, true, [&](const TriVertex& v) { return v.x >= left; });
    if (n < 3)
        return 0;
    n = ClipStage(a, n, b, right, true, [&](const TriVertex& v) { return v.x <= right; });
    if (n < 3)
        return 0;
    n = ClipStage(b, n, a, top, false, [&](const TriVertex& v) { return v.y >= top; });
    if (n < 3)
        return 0;
    n = ClipStage(a, n, out, bottom, false, [&](const TriVertex& v) { return v.y <= bottom; });
    return n < 3 ? 0 : n;
}

int32_t SpanRoutineIndex(bool textured, bool vertexColors, bool colorNotWhite, bool blended, int32_t format,
                         bool linear)
{
    int32_t index = (textured ? SPAN_TEXTURED : 0) | (blended ? SPAN_BLENDED : 0) |
                    (vertexColors ? SPAN_VERTEX_COLORS : 0) | (colorNotWhite ? SPAN_TINTED : 0) |
                    (linear ? SPAN_LINEAR : 0);
    if (format == PIXEL_FORMAT_555)
        index |= SPAN_FORMAT_555;
    else if (format == PIXEL_FORMAT_565)
        index |= SPAN_FORMAT_565;
    else if (format == PIXEL_FORMAT_888)
        index |= SPAN_FORMAT_888;
    return index;
}

void DrawTriangleSpans(bool textured, bool vertexColors, bool colorNotWhite, bool blended,
                       const FixedVertex* vertices, void* dest, int32_t pitch,
                       const TextureDescription* texture, const ColorRecord* color, int32_t format,
                       bool linear)
{
    const TriangleSpanRoutine routine = gTriangleSpanRoutines[size_t(
        SpanRoutineIndex(textured, vertexColors, colorNotWhite, blended, format, linear))];
    if (routine != nullptr)
        routine(vertices, dest, pitch, texture, color);
}

std::array<TriVertex, 4> TransformedQuad(int32_t sourceWidth, int32_t sourceHeight, const Rect& srcRect,
                                         const Matrix3& matrix, float x, float y)
{
    const float w = float(srcRect.mWidth);
    const float h = float(srcRect.mHeight);
    const float u0 = float(srcRect.mX) / float(sourceWidth);
    const float u1 = float(srcRect.mX + srcRect.mWidth) / float(sourceWidth);
    const float v0 = float(srcRect.mY) / float(sourceHeight);
    const float v1 = float(srcRect.mY + srcRect.mHeight) / float(sourceHeight);
    const float corners[4][4] = {
        {-w / 2, -h / 2, u0, v0}, {w / 2, -h / 2, u1, v0}, {-w / 2, h / 2, u0, v1}, {w / 2, h / 2, u1, v1}};
    std::array<TriVertex, 4> strip;
    for (size_t i = 0; i < 4; ++i)
    {
        const FloatPoint p = matrix.TransformPoint(FloatPoint(corners[i][0], corners[i][1]));
        strip[i] = TriVertex{p.mX + x - 0.5f, p.mY + y - 0.5f, corners[i][2], corners[i][3], 0xFFFFFFFFu};
    }
    return strip;
}

void RasterizeTriangleList(const Rect& clip, const Color& color, const TriVertex* vertices,
                           int32_t triangleCount, float offsetX, float offsetY, MemoryImage* texture,
                           void* dest, int32_t pitch, int32_t format, bool linear)
{
    for (int32_t t = 0; t < triangleCount; ++t)
    {
        TriVertex triangle[3];
        bool vertexColors = false;
        for (size_t k = 0; k < 3; ++k)
        {
            triangle[k] = vertices[size_t(t) * 3 + k];
            triangle[k].x += offsetX;
            triangle[k].y += offsetY;
            vertexColors = vertexColors || triangle[k].color != 0;
        }
        RasterizeTriangle(clip, color, triangle, 3, texture, dest, pitch, format, linear, vertexColors);
    }
}

void RasterizeTriangle(const Rect& clip, const Color& color, const TriVertex* vertices, int32_t count,
                       MemoryImage* texture, void* dest, int32_t pitch, int32_t format, bool linear,
                       bool vertexColors)
{
    if (count < 3 || clip.mWidth <= 0 || clip.mHeight <= 0)
        return;

    // The right and bottom edges are those of the last pixel's far side: with pixel
    // centres on whole coordinates and half-open spans, the last column and row of
    // the clip rectangle are drawn and nothing beyond it.
    constexpr float kLimit = 32767.0f;
    const float left = ClampFloat(float(clip.mX), -kLimit, kLimit);
    const float top = ClampFloat(float(clip.mY), -kLimit, kLimit);
    const float right = ClampFloat(float(clip.Right()), -kLimit, kLimit);
    const float bottom = ClampFloat(float(clip.Bottom()), -kLimit, kLimit);

    bool blended = false;
    TextureDescription tex;
    if (texture != nullptr)
    {
        texture->UpdateTransparencyFlags();
        blended = texture->mHasAlpha || texture->mHasTrans || linear;
        tex.bits = texture->GetBits();
        tex.width = texture->GetWidth();
        tex.height = texture->GetHeight();
        if (tex.bits == nullptr || tex.width <= 0 || tex.height <= 0)
            return;
        tex.shift = 16 - (31 - std::countl_zero(uint32_t(tex.width)));
        tex.maxU = (tex.width - 1) * 65536;
        tex.maxV = (tex.height - 1) * 65536;
        tex.size = tex.width * tex.height;
    }
    const bool textured = texture != nullptr;
    const bool notWhite = color != Color::White;
    // Components are cut to a byte, the range the span routines' products are sized for.
    const auto cut = [](int value) { return std::clamp(value, 0, 255); };
    const ColorRecord record{cut(color.mAlpha), cut(color.mRed), cut(color.mGreen), cut(color.mBlue)};
    const float texW = float(tex.width);
    const float texH = float(tex.height);

    for (int32_t i = 2; i < count; ++i)
    {
        // Every second triangle swaps its last two corners to keep the winding:
        // (V0, V1, V2), (V1, V3, V2), (V2, V3, V4), ...
        const TriVertex* triangle[3] = {&vertices[i - 2], &vertices[i - 1], &vertices[i]};
        if ((i & 1) != 0)
            std::swap(triangle[1], triangle[2]);

        const TriVertex* polygon[kMaxClipped];
        const int32_t n = ClipPolygonToRect(triangle, polygon, left, right, top, bottom);
        if (n == 0)
            continue;

        FixedVertex fixed[kMaxClipped];
        for (int32_t k = 0; k < n; ++k)
        {
            const TriVertex& p = *polygon[k];
            FixedVertex& f = fixed[k];
            f.x = int32_t(ClampFloat(p.x, left, right) * 65536.0f);
            f.y = int32_t(ClampFloat(p.y, top, bottom) * 65536.0f);
            if (vertexColors)
            {
                f.a = int32_t((p.color >> 24) & 0xFF) << 16;
                f.r = int32_t((p.color >> 16) & 0xFF) << 16;
                f.g = int32_t((p.color >> 8) & 0xFF) << 16;
                f.b = int32_t(p.color & 0xFF) << 16;
            }
            if (textured)
            {
                f.u = int32_t(ClampFloat(p.u * texW, -kLimit, kLimit) * 65536.0f);
                f.v = int32_t(ClampFloat(p.v * texH, -kLimit, kLimit) * 65536.0f);
            }
        }
        for (int32_t k = 1; k + 1 < n; ++k)
        {
            const FixedVertex fan[3] = {fixed[0], fixed[k], fixed[k + 1]};
            DrawTriangleSpans(textured, vertexColors, notWhite, blended, fan, dest, pitch, &tex, &record,
                              format, linear);
        }
    }
}

} // namespace Quib
