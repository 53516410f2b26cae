#include "platform/SdlRenderDevice.h"

#include <SDL.h>
#include <cmath>
#include <cstring>

namespace platform
{
namespace
{

SDL_BlendFactor ToSdl(BlendFactor factor)
{
    switch (factor)
    {
    case BlendFactor::Zero:
        return SDL_BLENDFACTOR_ZERO;
    case BlendFactor::One:
        return SDL_BLENDFACTOR_ONE;
    case BlendFactor::SourceAlpha:
        return SDL_BLENDFACTOR_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha:
        return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    }
    return SDL_BLENDFACTOR_ONE;
}

SDL_BlendMode ToSdl(BlendFactors blend)
{
    // The renderers' own modes where they mean the same, so that a renderer
    // without custom blending still draws the common cases.
    if (blend == BlendFactors{BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha})
        return SDL_BLENDMODE_BLEND;
    if (blend == BlendFactors{BlendFactor::SourceAlpha, BlendFactor::One})
        return SDL_BLENDMODE_ADD;
    if (blend == BlendFactors{BlendFactor::One, BlendFactor::Zero})
        return SDL_BLENDMODE_NONE;
    return SDL_ComposeCustomBlendMode(ToSdl(blend.source), ToSdl(blend.destination), SDL_BLENDOPERATION_ADD,
                                      ToSdl(blend.source), ToSdl(blend.destination), SDL_BLENDOPERATION_ADD);
}

Uint32 ToSdl(TexelFormat format)
{
    switch (format)
    {
    case TexelFormat::Argb8888:
        return SDL_PIXELFORMAT_ARGB8888;
    case TexelFormat::Argb4444:
        return SDL_PIXELFORMAT_ARGB4444;
    case TexelFormat::Rgb565:
        return SDL_PIXELFORMAT_RGB565;
    }
    return SDL_PIXELFORMAT_ARGB8888;
}

SDL_Color ToColor(uint32_t argb)
{
    return SDL_Color{Uint8(argb >> 16), Uint8(argb >> 8), Uint8(argb), Uint8(argb >> 24)};
}

// The device name as the GL driver gives it; empty for renderers on other interfaces.
std::string GlDeviceName(const char* rendererName)
{
    if (std::strncmp(rendererName, "opengl", 6) != 0)
        return {};
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr)
        return {};
    constexpr unsigned int kVendor = 0x1F00, kRenderer = 0x1F01;
    const unsigned char* vendor = getString(kVendor);
    const unsigned char* device = getString(kRenderer);
    std::string name;
    if (vendor != nullptr)
        name = reinterpret_cast<const char*>(vendor);
    if (device != nullptr)
        name += (name.empty() ? "" : " ") + std::string(reinterpret_cast<const char*>(device));
    return name;
}

} // namespace

int32_t BytesPerTexel(TexelFormat format)
{
    return format == TexelFormat::Argb8888 ? 4 : 2;
}

SdlRenderDevice::SdlRenderDevice(SDL_Renderer* renderer)
{
    useRenderer(renderer);
}

void SdlRenderDevice::useRenderer(SDL_Renderer* renderer)
{
    if (renderer == mRenderer && renderer != nullptr)
        return;
    mRenderer = renderer;
    SDL_RendererInfo sdl{};
    mDeviceName.clear();
    if (mRenderer != nullptr && SDL_GetRendererInfo(mRenderer, &sdl) == 0 && sdl.name != nullptr)
        mDeviceName = GlDeviceName(sdl.name);
}

SdlRenderDevice::~SdlRenderDevice()
{
    forgetRenderer();
}

void SdlRenderDevice::forgetRenderer()
{
    for (auto& [id, entry] : mTextures)
        if (mRenderer != nullptr)
            SDL_DestroyTexture(entry.texture);
    mTextures.clear();
    mRenderer = nullptr;
}

bool SdlRenderDevice::Fail(const char* step)
{
    mLastError = std::string(step) + ": " + SDL_GetError();
    return false;
}

SDL_Texture* SdlRenderDevice::Find(TextureId texture) const
{
    const auto found = mTextures.find(texture);
    return found == mTextures.end() ? nullptr : found->second.texture;
}

RendererInfo SdlRenderDevice::info() const
{
    RendererInfo result;
    SDL_RendererInfo sdl{};
    if (mRenderer == nullptr || SDL_GetRendererInfo(mRenderer, &sdl) != 0)
        return result;
    result.name = sdl.name != nullptr ? sdl.name : "";
    result.device = mDeviceName;
    result.accelerated =
        (sdl.flags & SDL_RENDERER_ACCELERATED) != 0 && (sdl.flags & SDL_RENDERER_TARGETTEXTURE) != 0;
    result.maxTextureWidth = sdl.max_texture_width;
    result.maxTextureHeight = sdl.max_texture_height;
    for (Uint32 i = 0; i < sdl.num_texture_formats; ++i)
    {
        if (sdl.texture_formats[i] == SDL_PIXELFORMAT_ARGB8888)
            result.formats.push_back(TexelFormat::Argb8888);
        else if (sdl.texture_formats[i] == SDL_PIXELFORMAT_ARGB4444)
            result.formats.push_back(TexelFormat::Argb4444);
        else if (sdl.texture_formats[i] == SDL_PIXELFORMAT_RGB565)
            result.formats.push_back(TexelFormat::Rgb565);
    }
    return result;
}

TextureId SdlRenderDevice::createTexture(int32_t width, int32_t height, TexelFormat format, bool target)
{
    if (mRenderer == nullptr || width <= 0 || height <= 0)
        return 0;
    SDL_Texture* texture =
        SDL_CreateTexture(mRenderer, ToSdl(format),
                          target ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STATIC, width, height);
    if (texture == nullptr)
    {
        Fail("CreateTexture");
        return 0;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    const TextureId id = mNextId++;
    mTextures[id] = {texture, false};
    return id;
}

void SdlRenderDevice::destroyTexture(TextureId texture)
{
    const auto found = mTextures.find(texture);
    if (found == mTextures.end())
        return;
    if (mRenderer != nullptr)
        SDL_DestroyTexture(found->second.texture);
    mTextures.erase(found);
}

bool SdlRenderDevice::updateTexture(TextureId texture, const void* texels, int32_t pitch)
{
    SDL_Texture* sdl = Find(texture);
    if (sdl == nullptr)
        return Fail("UpdateTexture");
    return SDL_UpdateTexture(sdl, nullptr, texels, pitch) == 0 || Fail("UpdateTexture");
}

bool SdlRenderDevice::setTarget(TextureId target)
{
    if (mRenderer == nullptr)
        return Fail("SetRenderTarget");
    SDL_Texture* sdl = nullptr;
    if (target != 0 && (sdl = Find(target)) == nullptr)
        return Fail("SetRenderTarget");
    return SDL_SetRenderTarget(mRenderer, sdl) == 0 || Fail("SetRenderTarget");
}

bool SdlRenderDevice::clear(uint32_t argb)
{
    if (mRenderer == nullptr)
        return Fail("Clear");
    const SDL_Color color = ToColor(argb);
    SDL_SetRenderDrawBlendMode(mRenderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(mRenderer, color.r, color.g, color.b, color.a);
    return SDL_RenderClear(mRenderer) == 0 || Fail("Clear");
}

bool SdlRenderDevice::setClip(const SurfaceRect* clip)
{
    if (mRenderer == nullptr)
        return Fail("SetClipRect");
    if (clip == nullptr)
        return SDL_RenderSetClipRect(mRenderer, nullptr) == 0 || Fail("SetClipRect");
    const SDL_Rect rect{clip->left, clip->top, clip->Width(), clip->Height()};
    return SDL_RenderSetClipRect(mRenderer, &rect) == 0 || Fail("SetClipRect");
}

bool SdlRenderDevice::drawTriangles(TextureId texture, bool linearFilter, BlendFactors blend,
                                    const RenderVertex* vertices, int32_t vertexCount)
{
    if (mRenderer == nullptr)
        return Fail("RenderGeometry");
    if (vertexCount < 3)
        return true;
    SDL_Texture* sdl = nullptr;
    if (texture != 0)
    {
        auto found = mTextures.find(texture);
        if (found == mTextures.end())
            return Fail("RenderGeometry");
        sdl = found->second.texture;
        if (found->second.linear != linearFilter)
        {
            // Triangles already queued with this texture must keep the filter they were drawn with.
            SDL_RenderFlush(mRenderer);
            SDL_SetTextureScaleMode(sdl, linearFilter ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
            found->second.linear = linearFilter;
        }
        if (SDL_SetTextureBlendMode(sdl, ToSdl(blend)) != 0)
            return Fail("SetTextureBlendMode");
    }
    else if (SDL_SetRenderDrawBlendMode(mRenderer, ToSdl(blend)) != 0)
        return Fail("SetRenderDrawBlendMode");
    std::vector<SDL_Vertex> sdlVertices(size_t(vertexCount / 3 * 3));
    for (size_t i = 0; i < sdlVertices.size(); ++i)
        sdlVertices[i] = SDL_Vertex{SDL_FPoint{vertices[i].x, vertices[i].y}, ToColor(vertices[i].color),
                                    SDL_FPoint{vertices[i].u, vertices[i].v}};
    return SDL_RenderGeometry(mRenderer, sdl, sdlVertices.data(), int(sdlVertices.size()), nullptr, 0) == 0 ||
           Fail("RenderGeometry");
}

bool SdlRenderDevice::drawLine(float x1, float y1, float x2, float y2, uint32_t argb, BlendFactors blend)
{
    if (mRenderer == nullptr)
        return Fail("RenderDrawLine");
    const SDL_Color color = ToColor(argb);
    if (SDL_SetRenderDrawBlendMode(mRenderer, ToSdl(blend)) != 0)
        return Fail("SetRenderDrawBlendMode");
    SDL_SetRenderDrawColor(mRenderer, color.r, color.g, color.b, color.a);
    return SDL_RenderDrawLineF(mRenderer, x1, y1, x2, y2) == 0 || Fail("RenderDrawLine");
}

bool SdlRenderDevice::readPixels(const SurfaceRect& area, uint32_t* argb, int32_t pitchBytes)
{
    if (mRenderer == nullptr)
        return Fail("RenderReadPixels");
    const SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
    return SDL_RenderReadPixels(mRenderer, &rect, SDL_PIXELFORMAT_ARGB8888, argb, pitchBytes) == 0 ||
           Fail("RenderReadPixels");
}

bool SdlRenderDevice::present(TextureId frame, std::span<const PresentOverlay> overlays)
{
    SDL_Texture* sdl = Find(frame);
    if (mRenderer == nullptr || sdl == nullptr || !setTarget(0))
        return Fail("Present");
    int width = 0, height = 0, outW = 0, outH = 0;
    if (SDL_QueryTexture(sdl, nullptr, nullptr, &width, &height) != 0 ||
        SDL_GetRendererOutputSize(mRenderer, &outW, &outH) != 0)
        return Fail("Present");
    const WindowRect target = fitRect(width, height, {0, 0, outW, outH});
    const SDL_Rect dst{target.x, target.y, target.width, target.height};
    SDL_RenderSetClipRect(mRenderer, nullptr);
    SDL_SetRenderDrawBlendMode(mRenderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
    SDL_RenderClear(mRenderer);
    SDL_SetTextureBlendMode(sdl, SDL_BLENDMODE_NONE);
    bool copied = SDL_RenderCopy(mRenderer, sdl, nullptr, &dst) == 0;
    // Overlays stay inside the picture, scaled as the frame is.
    SDL_RenderSetClipRect(mRenderer, &dst);
    const float scaleX = float(target.width) / float(width);
    const float scaleY = float(target.height) / float(height);
    for (const PresentOverlay& overlay : overlays)
    {
        const auto found = mTextures.find(overlay.texture);
        int textureWidth = 0, textureHeight = 0;
        if (found == mTextures.end() ||
            SDL_QueryTexture(found->second.texture, nullptr, nullptr, &textureWidth, &textureHeight) != 0)
        {
            copied = false;
            continue;
        }
        SDL_Texture* texture = found->second.texture;
        const SDL_Rect source{int(std::lround(overlay.u0 * float(textureWidth))),
                              int(std::lround(overlay.v0 * float(textureHeight))),
                              int(std::lround((overlay.u1 - overlay.u0) * float(textureWidth))),
                              int(std::lround((overlay.v1 - overlay.v0) * float(textureHeight)))};
        const SDL_FRect shown{float(target.x) + overlay.x * scaleX, float(target.y) + overlay.y * scaleY,
                              overlay.width * scaleX, overlay.height * scaleY};
        if (found->second.linear)
        {
            SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
            found->second.linear = false;
        }
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        copied = SDL_RenderCopyF(mRenderer, texture, &source, &shown) == 0 && copied;
    }
    SDL_RenderSetClipRect(mRenderer, nullptr);
    SDL_RenderPresent(mRenderer);
    return copied || Fail("Present");
}

} // namespace platform
