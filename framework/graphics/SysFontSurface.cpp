#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/SysFont.h"
#include "platform/FontFace.h"
#include "platform/Surface.h"

#include <cstring>

namespace Quib
{
namespace
{

// One colour channel of a surface pixel, widened to 0..255 for blending and
// narrowed back with rounding, so a full channel stays full in any bit count.
struct ChannelScale
{
    explicit ChannelScale(uint32_t channelMask)
        : mask(channelMask), shift(platform::MaskShift(channelMask)),
          max((1u << platform::MaskBits(channelMask)) - 1)
    {
    }

    uint32_t Widen(uint32_t pixel) const { return (((pixel & mask) >> shift) * 255 + max / 2) / max; }
    uint32_t Narrow(uint32_t value) const { return ((value * max + 127) / 255) << shift & mask; }

    uint32_t mask;
    int32_t shift;
    uint32_t max;
};

// Text drawn with antialiasing over an opaque surface: each pixel moves towards the
// colour by its coverage; bits outside the channel masks keep their value.
void BlendCoverage(const platform::LockedSurface& locked, const platform::PixelFormat& format,
                   const Rect& area, const platform::CoverageMask& mask, uint32_t rgb)
{
    const ChannelScale channels[3] = {ChannelScale(format.redMask), ChannelScale(format.greenMask),
                                      ChannelScale(format.blueMask)};
    const uint32_t colour[3] = {rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF};
    const uint32_t channelBits = format.redMask | format.greenMask | format.blueMask;
    const size_t bytes = size_t(format.BytesPerPixel());
    for (int y = 0; y < area.mHeight; ++y)
    {
        uint8_t* row =
            locked.bits + std::ptrdiff_t(area.mY + y) * locked.pitch + std::ptrdiff_t(area.mX) * bytes;
        const uint8_t* coverage = mask.pixels.data() + size_t(y) * size_t(mask.width);
        for (int x = 0; x < area.mWidth; ++x, row += bytes)
        {
            const uint32_t a = coverage[x];
            if (a == 0)
                continue;
            uint32_t pixel = 0;
            std::memcpy(&pixel, row, bytes);
            uint32_t out = pixel & ~channelBits;
            for (int c = 0; c < 3; ++c)
            {
                if (channels[c].max == 0)
                    continue;
                const uint32_t under = channels[c].Widen(pixel);
                out |= channels[c].Narrow((colour[c] * a + under * (255 - a) + 127) / 255);
            }
            std::memcpy(row, &out, bytes);
        }
    }
}

} // namespace

void SysFont::DrawOnSurface(DDImage& image, int left, int top, const std::string& text, uint32_t rgb,
                            const Rect& clipRect)
{
    platform::Surface* surface = image.GetSurface();
    if (surface == nullptr)
        return;
    const Rect area = clipRect.Intersection(Rect(0, 0, surface->Width(), surface->Height()));
    if (area.mWidth <= 0 || area.mHeight <= 0)
        return;
    // Locks nest, so the text can be drawn whether or not the image holds the surface
    // locked; a lost surface cannot be locked and gets nothing.
    // The screen surface may not be drawn on directly while a hardware scene is open.
    DisplayServices* display = image.mDDInterface;
    if (display != nullptr && display->Is3DOn() && surface == display->GetDrawSurface())
        if (D3DServices* hardware = display->Get3D())
            hardware->FinishScene();
    platform::LockedSurface locked;
    if (surface->Lock(locked) != platform::SurfaceResult::Ok)
        return;
    for (const Pass& pass : Passes(rgb))
    {
        platform::CoverageMask mask(area.mWidth, area.mHeight);
        mFace->render(text, left + pass.dx - area.mX, top + pass.dy - area.mY, mask);
        BlendCoverage(locked, surface->Format(), area, mask, pass.rgb);
    }
    surface->Unlock();
    image.DiscardMemoryCopies();
}

} // namespace Quib
