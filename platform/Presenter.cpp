#include "platform/Presenter.h"

#include "platform/Surface.h"
#include "platform/Window.h"

#include <SDL.h>
#include <cstring>

namespace platform
{
namespace
{

uint32_t widenChannel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int32_t bits = MaskBits(mask);
    uint32_t value = (pixel & mask) >> MaskShift(mask);
    if (bits >= 8)
        return value >> (bits - 8);
    uint32_t wide = 0;
    for (int32_t filled = 0; filled < 8; filled += bits)
        wide = (wide << bits) | value;
    return (wide >> ((8 + bits - 1) / bits * bits - 8)) & 0xFF;
}

} // namespace

uint32_t toArgb(uint32_t pixel, const PixelFormat& format)
{
    return 0xFF000000u | widenChannel(pixel, format.redMask) << 16 |
           widenChannel(pixel, format.greenMask) << 8 | widenChannel(pixel, format.blueMask);
}

std::vector<uint32_t> readArgb(Surface& surface)
{
    LockedSurface locked;
    if (surface.Lock(locked) != SurfaceResult::Ok)
        return {};
    const PixelFormat& format = surface.Format();
    std::vector<uint32_t> pixels(size_t(surface.Width()) * size_t(surface.Height()));
    for (int32_t y = 0; y < surface.Height(); ++y)
        for (int32_t x = 0; x < surface.Width(); ++x)
        {
            uint32_t pixel = 0;
            std::memcpy(&pixel,
                        locked.bits + ptrdiff_t(y) * locked.pitch + ptrdiff_t(x) * format.BytesPerPixel(),
                        size_t(format.BytesPerPixel()));
            pixels[size_t(y) * size_t(surface.Width()) + size_t(x)] = toArgb(pixel, format);
        }
    surface.Unlock();
    return pixels;
}

int desktopBitsPerPixel()
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 0;
    return SDL_BITSPERPIXEL(mode.format) == 24 && SDL_BYTESPERPIXEL(mode.format) == 4
               ? 32
               : int(SDL_BITSPERPIXEL(mode.format));
}

bool Presenter::present(Window& window, Surface& surface)
{
    LockedSurface locked;
    if (surface.Lock(locked) != SurfaceResult::Ok)
        return false;
    const int32_t width = surface.Width();
    const int32_t height = surface.Height();
    const PixelFormat& format = surface.Format();
    const uint32_t* pixels = reinterpret_cast<const uint32_t*>(locked.bits);
    int32_t pitch = locked.pitch;
    if (!(format.bitCount == 32 && format == PixelFormat::Rgb32()))
    {
        mConverted.resize(size_t(width) * size_t(height));
        for (int32_t y = 0; y < height; ++y)
        {
            const uint8_t* row = locked.bits + ptrdiff_t(y) * locked.pitch;
            uint32_t* out = mConverted.data() + size_t(y) * size_t(width);
            for (int32_t x = 0; x < width; ++x)
            {
                uint32_t pixel = 0;
                std::memcpy(&pixel, row + ptrdiff_t(x) * format.BytesPerPixel(),
                            size_t(format.BytesPerPixel()));
                out[x] = toArgb(pixel, format);
            }
        }
        pixels = mConverted.data();
        pitch = width * 4;
    }
    if (&window != mWindow)
        mChanges.forget();
    mWindow = &window;
    const bool shown =
        window.presentChanged(pixels, width, height, pitch, mChanges.compare(pixels, width, height, pitch));
    // What the window shows is no longer known: the next frame goes whole.
    if (!shown)
        mChanges.forget();
    surface.Unlock();
    return shown;
}

} // namespace platform
