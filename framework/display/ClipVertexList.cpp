#include "framework/display/ClipVertexList.h"

#include <algorithm>
#include <cmath>

namespace Quib
{
namespace
{

uint32_t LerpColor(uint32_t a, uint32_t b, float t)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const float from = float((a >> shift) & 0xFF), to = float((b >> shift) & 0xFF);
        const float value = std::clamp(from + (to - from) * t, 0.0f, 255.0f);
        result |= uint32_t(std::lround(value)) << shift;
    }
    return result;
}

platform::RenderVertex Lerp(const platform::RenderVertex& a, const platform::RenderVertex& b, float t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, LerpColor(a.color, b.color, t),
            a.u + (b.u - a.u) * t, a.v + (b.v - a.v) * t};
}

} // namespace

void ClipVertexList::ClipEdge(Axis axis, float limit, bool keepAbove)
{
    if (mVertices.empty())
        return;
    const auto coordinate = [axis](const platform::RenderVertex& v)
    {
        switch (axis)
        {
        case Axis::X:
            return v.x;
        case Axis::Y:
            return v.y;
        case Axis::U:
            return v.u;
        case Axis::V:
            return v.v;
        }
        return v.x;
    };
    // A NaN corner is outside every edge, so it never reaches the device.
    const auto inside = [&](const platform::RenderVertex& v)
    { return keepAbove ? coordinate(v) >= limit : coordinate(v) <= limit; };
    mScratch.clear();
    const platform::RenderVertex* previous = &mVertices.back();
    for (const platform::RenderVertex& current : mVertices)
    {
        const bool currentIn = inside(current), previousIn = inside(*previous);
        if (currentIn != previousIn)
        {
            const float from = coordinate(*previous), to = coordinate(current);
            if (std::isfinite(from) && std::isfinite(to) && from != to)
                mScratch.push_back(Lerp(*previous, current, (limit - from) / (to - from)));
        }
        if (currentIn)
            mScratch.push_back(current);
        previous = &current;
    }
    mVertices.swap(mScratch);
}

void ClipVertexList::ClipToRect(float left, float top, float right, float bottom)
{
    ClipEdge(Axis::X, left, true);
    ClipEdge(Axis::Y, top, true);
    ClipEdge(Axis::X, right, false);
    ClipEdge(Axis::Y, bottom, false);
}

void ClipVertexList::ClipToTextureSquare()
{
    ClipEdge(Axis::U, 0.0f, true);
    ClipEdge(Axis::V, 0.0f, true);
    ClipEdge(Axis::U, 1.0f, false);
    ClipEdge(Axis::V, 1.0f, false);
}

std::vector<platform::RenderVertex> ClipVertexList::Fan() const
{
    std::vector<platform::RenderVertex> triangles;
    if (mVertices.size() < 3)
        return triangles;
    triangles.reserve((mVertices.size() - 2) * 3);
    for (size_t i = 1; i + 1 < mVertices.size(); ++i)
    {
        triangles.push_back(mVertices[0]);
        triangles.push_back(mVertices[i]);
        triangles.push_back(mVertices[i + 1]);
    }
    return triangles;
}

} // namespace Quib
