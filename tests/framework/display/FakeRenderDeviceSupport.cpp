#include "tests/framework/display/FakeRenderDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace testsupport
{
namespace
{

uint32_t Factor(platform::BlendFactor factor, uint32_t sourceAlpha, uint32_t value)
{
    switch (factor)
    {
    case platform::BlendFactor::Zero:
        return 0;
    case platform::BlendFactor::One:
        return value;
    case platform::BlendFactor::SourceAlpha:
        return value * sourceAlpha / 255;
    case platform::BlendFactor::InverseSourceAlpha:
        return value * (255 - sourceAlpha) / 255;
    }
    return value;
}

uint32_t Modulate(uint32_t a, uint32_t b)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= (((a >> shift) & 0xFF) * ((b >> shift) & 0xFF) / 255) << shift;
    return out;
}

} // namespace

platform::TextureId FakeRenderDevice::createTexture(int32_t width, int32_t height,
                                                    platform::TexelFormat format, bool target)
{
    if (width <= 0 || height <= 0)
        return 0;
    if (!target && mRefuseTextures > 0)
    {
        --mRefuseTextures;
        return 0;
    }
    ++mTexturesMade;
    mTextures[mNext] = {width, height, format, std::vector<uint32_t>(size_t(width) * size_t(height), 0)};
    return mNext++;
}

bool FakeRenderDevice::updateTexture(platform::TextureId texture, const void* texels, int32_t pitch)
{
    const auto found = mTextures.find(texture);
    if (found == mTextures.end())
        return false;
    Texture& t = found->second;
    for (int32_t y = 0; y < t.mHeight; ++y)
        for (int32_t x = 0; x < t.mWidth; ++x)
        {
            const auto* row = static_cast<const uint8_t*>(texels) + ptrdiff_t(y) * pitch;
            uint32_t value = 0;
            if (t.mFormat == platform::TexelFormat::Argb8888)
                std::memcpy(&value, row + x * 4, 4);
            else
            {
                uint16_t narrow = 0;
                std::memcpy(&narrow, row + x * 2, 2);
                value = 0;
                for (int c = 0; c < 4; ++c)
                    value |= ((uint32_t(narrow) >> (c * 4)) & 0xF) * 0x11u << (c * 8);
            }
            t.mPixels[size_t(y) * size_t(t.mWidth) + size_t(x)] = value;
        }
    return true;
}

bool FakeRenderDevice::setTarget(platform::TextureId target)
{
    mTarget = target;
    return target == 0 || mTextures.count(target) != 0;
}

bool FakeRenderDevice::clear(uint32_t argb)
{
    if (mClearFails || mTextures.count(mTarget) == 0)
        return false;
    std::fill(mTextures[mTarget].mPixels.begin(), mTextures[mTarget].mPixels.end(), argb);
    return true;
}

bool FakeRenderDevice::drawTriangles(platform::TextureId texture, bool, platform::BlendFactors blend,
                                     const platform::RenderVertex* vertices, int32_t vertexCount)
{
    if (mTextures.count(mTarget) == 0 || vertexCount < 3)
        return false;
    Texture& target = mTextures[mTarget];
    float left = vertices[0].x, top = vertices[0].y, right = left, bottom = top;
    for (int32_t i = 1; i < vertexCount; ++i)
    {
        left = std::min(left, vertices[i].x);
        right = std::max(right, vertices[i].x);
        top = std::min(top, vertices[i].y);
        bottom = std::max(bottom, vertices[i].y);
    }
    const auto found = mTextures.find(texture);
    const int32_t x0 = int32_t(std::lround(left)), y0 = int32_t(std::lround(top));
    const int32_t width = int32_t(std::lround(right)) - x0, height = int32_t(std::lround(bottom)) - y0;
    for (int32_t y = std::max(y0, 0); y < std::min(y0 + height, target.mHeight); ++y)
        for (int32_t x = std::max(x0, 0); x < std::min(x0 + width, target.mWidth); ++x)
        {
            const int32_t sx = mShiftClipped && x0 < 0 ? x - x0 + 1 : x - x0;
            uint32_t source = vertices[0].color;
            if (found != mTextures.end())
            {
                const Texture& t = found->second;
                const int32_t tx = std::clamp(sx * t.mWidth / std::max(width, 1), 0, t.mWidth - 1);
                const int32_t ty = std::clamp((y - y0) * t.mHeight / std::max(height, 1), 0, t.mHeight - 1);
                source = Modulate(t.mPixels[size_t(ty) * size_t(t.mWidth) + size_t(tx)], vertices[0].color);
            }
            uint32_t& pixel = target.mPixels[size_t(y) * size_t(target.mWidth) + size_t(x)];
            if (mIgnoreBlend)
            {
                pixel = source;
                continue;
            }
            const uint32_t alpha = source >> 24;
            uint32_t out = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8)
            {
                const uint32_t s = Factor(blend.source, alpha, (source >> shift) & 0xFF);
                const uint32_t d = Factor(blend.destination, alpha, (pixel >> shift) & 0xFF);
                out |= std::min(s + d, 255u) << shift;
            }
            pixel = out;
        }
    return true;
}

bool FakeRenderDevice::readPixels(const platform::SurfaceRect& area, uint32_t* argb, int32_t pitchBytes)
{
    ++mReads;
    const auto found = mTextures.find(mTarget);
    if (found == mTextures.end())
        return false;
    const Texture& t = found->second;
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            argb[size_t(y - area.top) * size_t(pitchBytes / 4) + size_t(x - area.left)] =
                t.mPixels[size_t(y) * size_t(t.mWidth) + size_t(x)];
    if (mSpeckle)
        argb[size_t(pitchBytes / 4) + 1] ^= 0x00010101u;
    return true;
}

} // namespace testsupport
