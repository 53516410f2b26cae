#pragma once

#include "platform/RenderDevice.h"

#include <map>

struct SDL_Renderer;
struct SDL_Texture;

namespace platform
{

// The window's graphics card through the desktop's renderer. The window owns it;
// its textures die with the window's renderer, after which their numbers name
// nothing and every call on them fails quietly.
class SdlRenderDevice : public RenderDevice
{
public:
    // Made right after the renderer, while its drawing context is the current one.
    explicit SdlRenderDevice(SDL_Renderer* renderer);
    ~SdlRenderDevice() override;
    SdlRenderDevice(const SdlRenderDevice&) = delete;
    SdlRenderDevice& operator=(const SdlRenderDevice&) = delete;

    // The renderer is going away: every texture is destroyed now.
    void forgetRenderer();
    // The window made a new renderer.
    void useRenderer(SDL_Renderer* renderer);

    RendererInfo info() const override;
    std::string lastError() const override { return mLastError; }
    TextureId createTexture(int32_t width, int32_t height, TexelFormat format, bool target) override;
    void destroyTexture(TextureId texture) override;
    bool updateTexture(TextureId texture, const void* texels, int32_t pitch) override;
    bool setTarget(TextureId target) override;
    bool clear(uint32_t argb) override;
    bool setClip(const SurfaceRect* clip) override;
    bool drawTriangles(TextureId texture, bool linearFilter, BlendFactors blend, const RenderVertex* vertices,
                       int32_t vertexCount) override;
    bool drawLine(float x1, float y1, float x2, float y2, uint32_t argb, BlendFactors blend) override;
    bool readPixels(const SurfaceRect& area, uint32_t* argb, int32_t pitchBytes) override;
    bool present(TextureId frame, std::span<const PresentOverlay> overlays = {}) override;

private:
    struct TextureEntry
    {
        SDL_Texture* texture = nullptr;
        bool linear = false;
    };

    bool Fail(const char* step);
    SDL_Texture* Find(TextureId texture) const;

    SDL_Renderer* mRenderer = nullptr;
    // The driver's name for the device, read while the renderer's context was
    // current: another window's renderer may have taken it since.
    std::string mDeviceName;
    std::map<TextureId, TextureEntry> mTextures;
    TextureId mNextId = 1;
    std::string mLastError;
};

} // namespace platform
