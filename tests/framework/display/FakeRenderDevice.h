#pragma once

#include "platform/RenderDevice.h"

#include <map>
#include <string>
#include <vector>

namespace testsupport
{

// A render device in memory for the acceleration tester: textures and targets
// are pixel arrays, triangles are drawn as the axis-aligned quads the tester
// sends, and each way a real card goes wrong can be switched on.
class FakeRenderDevice : public platform::RenderDevice
{
public:
    platform::RendererInfo info() const override { return mInfo; }
    std::string lastError() const override { return "E_FAKE"; }
    platform::TextureId createTexture(int32_t width, int32_t height, platform::TexelFormat format,
                                      bool target) override;
    void destroyTexture(platform::TextureId texture) override { mTextures.erase(texture); }
    bool updateTexture(platform::TextureId texture, const void* texels, int32_t pitch) override;
    bool setTarget(platform::TextureId target) override;
    bool clear(uint32_t argb) override;
    bool setClip(const platform::SurfaceRect*) override { return true; }
    bool drawTriangles(platform::TextureId texture, bool linearFilter, platform::BlendFactors blend,
                       const platform::RenderVertex* vertices, int32_t vertexCount) override;
    bool drawLine(float, float, float, float, uint32_t, platform::BlendFactors) override { return true; }
    bool readPixels(const platform::SurfaceRect& area, uint32_t* argb, int32_t pitchBytes) override;
    bool present(platform::TextureId, std::span<const platform::PresentOverlay> overlays = {}) override
    {
        mLastOverlays.assign(overlays.begin(), overlays.end());
        return true;
    }

    platform::RendererInfo mInfo{
        "fakegl", "Fake Card 3000",
        true,     2048,
        2048,     {platform::TexelFormat::Argb8888, platform::TexelFormat::Argb4444}};
    // Faults: every blend replaces; one pixel of every read comes back changed;
    // the clear fails; drawing ignores where the quad starts left of the target.
    bool mIgnoreBlend = false;
    bool mSpeckle = false;
    bool mClearFails = false;
    bool mShiftClipped = false;
    int mTexturesMade = 0;
    // So many of the next textures (not targets) cannot be made.
    int mRefuseTextures = 0;
    int mReads = 0;
    std::vector<platform::PresentOverlay> mLastOverlays;

private:
    struct Texture
    {
        int32_t mWidth = 0;
        int32_t mHeight = 0;
        platform::TexelFormat mFormat = platform::TexelFormat::Argb8888;
        std::vector<uint32_t> mPixels;
    };
    std::map<platform::TextureId, Texture> mTextures;
    platform::TextureId mNext = 1;
    platform::TextureId mTarget = 0;
};

} // namespace testsupport
