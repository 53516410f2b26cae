#pragma once

#include "platform/RenderDevice.h"

#include <vector>

namespace Quib
{

// The corners of a convex polygon on its way to the device, cut against edges one
// at a time. Position, texture coordinates and each colour channel are carried
// linearly to every cut.
class ClipVertexList
{
public:
    ClipVertexList() { mVertices.reserve(100); }

    void Add(const platform::RenderVertex& vertex) { mVertices.push_back(vertex); }
    void Clear() { mVertices.clear(); }
    int32_t Count() const { return int32_t(mVertices.size()); }
    const platform::RenderVertex& operator[](int32_t i) const { return mVertices[size_t(i)]; }

    // Keeps what lies within left <= x <= right, top <= y <= bottom.
    void ClipToRect(float left, float top, float right, float bottom);
    // Keeps what lies within 0 <= u <= 1, 0 <= v <= 1.
    void ClipToTextureSquare();
    // The polygon as a list of triangles fanning from its first corner.
    std::vector<platform::RenderVertex> Fan() const;

private:
    enum class Axis
    {
        X,
        Y,
        U,
        V
    };
    // Keeps the side where the coordinate is at least (keepAbove) or at most the limit.
    void ClipEdge(Axis axis, float limit, bool keepAbove);

    std::vector<platform::RenderVertex> mVertices;
    std::vector<platform::RenderVertex> mScratch;
};

} // namespace Quib
