#pragma once

#include "platform/Surface.h"
#include "platform/Window.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform
{

// The factors a blend multiplies the incoming colour and the colour already
// drawn by, before adding them; alpha is blended with the same factors.
enum class BlendFactor
{
    Zero,
    One,
    SourceAlpha,
    InverseSourceAlpha,
};

struct BlendFactors
{
    BlendFactor source = BlendFactor::SourceAlpha;
    BlendFactor destination = BlendFactor::InverseSourceAlpha;

    bool operator==(const BlendFactors&) const = default;
};

enum class TexelFormat
{
    Argb8888,
    Argb4444,
    Rgb565,
};

int32_t BytesPerTexel(TexelFormat format);

// A corner of a triangle in target pixels; the colour (0xAARRGGBB) multiplies
// the texel, or is the colour itself when nothing is textured.
struct RenderVertex
{
    float x = 0.0f;
    float y = 0.0f;
    uint32_t color = 0xFFFFFFFF;
    float u = 0.0f;
    float v = 0.0f;
};

struct RendererInfo
{
    // The renderer's own name and, where the driver tells, the device it runs on.
    std::string name;
    std::string device;
    bool accelerated = false;
    int32_t maxTextureWidth = 0;
    int32_t maxTextureHeight = 0;
    std::vector<TexelFormat> formats;
    // Unknown (-1 and 0) where the renderer does not tell.
    int64_t videoMemoryBytes = -1;
    int32_t driverYear = 0;
};

// Textures are numbered by the device; 0 is no texture (and, as a target, the window).
using TextureId = uint32_t;

// A part of a texture shown over the frame when it is presented, blended by its
// alpha and scaled with the frame, without entering the frame itself.
struct PresentOverlay
{
    TextureId texture = 0;
    // Where it lies, in frame pixels.
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    // The part of the texture shown, 0..1.
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;
};

// A drawing device with textures, triangles, targets and read-back: the window's
// graphics card through the desktop's renderer, or a stand-in in tests. Main thread only.
class RenderDevice
{
public:
    virtual ~RenderDevice() = default;

    virtual RendererInfo info() const = 0;
    // The last failure's text.
    virtual std::string lastError() const = 0;

    // 0 when the texture cannot be made.
    virtual TextureId createTexture(int32_t width, int32_t height, TexelFormat format, bool target) = 0;
    virtual void destroyTexture(TextureId texture) = 0;
    // Texels in the texture's own format, rows of pitch bytes, covering the whole texture.
    virtual bool updateTexture(TextureId texture, const void* texels, int32_t pitch) = 0;

    // Where triangles, lines and clears go; 0 is the window.
    virtual bool setTarget(TextureId target) = 0;
    virtual bool clear(uint32_t argb) = 0;
    // Null draws everywhere.
    virtual bool setClip(const SurfaceRect* clip) = 0;
    // A list of triangles, three vertices each; texture 0 draws their colours alone.
    virtual bool drawTriangles(TextureId texture, bool linearFilter, BlendFactors blend,
                               const RenderVertex* vertices, int32_t vertexCount) = 0;
    virtual bool drawLine(float x1, float y1, float x2, float y2, uint32_t argb, BlendFactors blend) = 0;
    // Pixels of the current target as 0xAARRGGBB.
    virtual bool readPixels(const SurfaceRect& area, uint32_t* argb, int32_t pitchBytes) = 0;
    // Shows the frame texture scaled into the window's presentation rectangle,
    // the overlays over it.
    virtual bool present(TextureId frame, std::span<const PresentOverlay> overlays = {}) = 0;
};

} // namespace platform
