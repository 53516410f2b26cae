#pragma once

#include "framework/graphics/TriVertex.h"

#include <array>
#include <cstdint>

namespace Quib
{

class Color;
class Matrix3;
class MemoryImage;
class Rect;

// Destination pixel formats of the span routines.
constexpr int32_t PIXEL_FORMAT_8888 = 0x8888; // 32-bit ARGB that keeps alpha
constexpr int32_t PIXEL_FORMAT_888 = 0x888;   // 32-bit without alpha
constexpr int32_t PIXEL_FORMAT_565 = 0x565;
constexpr int32_t PIXEL_FORMAT_555 = 0x555;

// Index bits of the span routine table.
constexpr int32_t SPAN_FORMAT_888 = 0x20;
constexpr int32_t SPAN_FORMAT_565 = 0x40;
constexpr int32_t SPAN_FORMAT_555 = 0x60;
constexpr int32_t SPAN_TEXTURED = 16;
constexpr int32_t SPAN_BLENDED = 8;
constexpr int32_t SPAN_VERTEX_COLORS = 4;
constexpr int32_t SPAN_TINTED = 2;
constexpr int32_t SPAN_LINEAR = 1;

// A clipped vertex in 16.16 fixed point: position in destination pixels, colour
// channels (0..255), texture position in texels.
struct FixedVertex
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t a = 0;
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
    int32_t u = 0;
    int32_t v = 0;
};

// Everything a span routine needs of the texture, worked out once per triangle.
struct TextureDescription
{
    const uint32_t* bits = nullptr;
    int32_t shift = 0; // 16 - floor(log2(width))
    int32_t maxU = 0;  // (width - 1) << 16
    int32_t maxV = 0;  // (height - 1) << 16
    int32_t width = 0;
    int32_t size = 0; // width * height
    int32_t height = 0;
};

struct ColorRecord
{
    int32_t a = 255;
    int32_t r = 255;
    int32_t g = 255;
    int32_t b = 255;
};

using TriangleSpanRoutine = void (*)(const FixedVertex* vertices, void* dest, int32_t pitch,
                                     const TextureDescription* texture, const ColorRecord* color);

// format part | textured | blended | vertex colours | tinted | linear filtering
extern const std::array<TriangleSpanRoutine, 128> gTriangleSpanRoutines;

int32_t SpanRoutineIndex(bool textured, bool vertexColors, bool colorNotWhite, bool blended, int32_t format,
                         bool linear);

// Clips one triangle against the inclusive float edges; returns the vertex count of
// the clipped polygon (at most 7), or 0 when fewer than 3 vertices survive a stage.
// Points created by clipping live in a per-thread pool reset for every triangle.
int32_t ClipPolygonToRect(const TriVertex* const triangle[3], const TriVertex** out, float left, float right,
                          float top, float bottom);

void DrawTriangleSpans(bool textured, bool vertexColors, bool colorNotWhite, bool blended,
                       const FixedVertex* vertices, void* dest, int32_t pitch,
                       const TextureDescription* texture, const ColorRecord* color, int32_t format,
                       bool linear);

// The strip of a transformed blit: the source rectangle of an image sourceWidth x
// sourceHeight, centred on the origin, turned by the matrix and moved to (x, y), half a
// pixel up and left so that pixel centres sample texel centres.
std::array<TriVertex, 4> TransformedQuad(int32_t sourceWidth, int32_t sourceHeight, const Rect& srcRect,
                                         const Matrix3& matrix, float x, float y);

// Draws a triangle strip of count vertices into dest. The texture, when given, must
// hold 32-bit pixels (its GetBits).
void RasterizeTriangle(const Rect& clip, const Color& color, const TriVertex* vertices, int32_t count,
                       MemoryImage* texture, void* dest, int32_t pitch, int32_t format, bool linear,
                       bool vertexColors);
// Draws triangleCount separate triangles moved by the offset; a triangle uses its
// vertex colours when any of its three has one.
void RasterizeTriangleList(const Rect& clip, const Color& color, const TriVertex* vertices,
                           int32_t triangleCount, float offsetX, float offsetY, MemoryImage* texture,
                           void* dest, int32_t pitch, int32_t format, bool linear);

} // namespace Quib
