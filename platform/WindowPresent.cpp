#include "platform/SdlRenderDevice.h"
#include "platform/Window.h"

#include <SDL.h>
#include <algorithm>

namespace platform
{
namespace
{

WindowRect clipToImage(const WindowRect& area, int width, int height)
{
    const int left = std::max(area.x, 0);
    const int top = std::max(area.y, 0);
    const int right = std::min(area.x + area.width, width);
    const int bottom = std::min(area.y + area.height, height);
    if (left >= right || top >= bottom)
        return {0, 0, 0, 0};
    return {left, top, right - left, bottom - top};
}

bool isXrgb(uint32_t format)
{
    return format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
}

void fillBars(SDL_Surface* surface, const WindowRect& image)
{
    const SDL_Rect bars[] = {
        {0, 0, surface->w, image.y},
        {0, image.y + image.height, surface->w, surface->h - image.y - image.height},
        {0, image.y, image.x, image.height},
        {image.x + image.width, image.y, surface->w - image.x - image.width, image.height},
    };
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0)
            SDL_FillRect(surface, &bar, SDL_MapRGB(surface->format, 0, 0, 0));
}

} // namespace

int Window::watchEvents(void* window, SDL_Event* event)
{
    auto* self = static_cast<Window*>(window);
    if (event->type != SDL_WINDOWEVENT || event->window.windowID != self->mId)
        return 1;
    switch (event->window.event)
    {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
        self->mRepaint = true;
        break;
    default:
        break;
    }
    return 1;
}

bool Window::present(const uint32_t* pixels, int width, int height, int pitchBytes)
{
    const WindowRect whole{0, 0, width, height};
    return presentChanged(pixels, width, height, pitchBytes, {&whole, 1});
}

bool Window::presentChanged(const uint32_t* pixels, int width, int height, int pitchBytes,
                            std::span<const WindowRect> changed)
{
    if (!mWindow || !pixels || width <= 0 || height <= 0)
        return false;
    if (mRenderer == nullptr && presentToSurface(pixels, width, height, pitchBytes, changed))
        return true;
    // Some desktops give a window no pixels of its own: a renderer shows the frames there.
    if (!renderer())
        return false;
    return presentThroughRenderer(pixels, width, height, pitchBytes, changed);
}

bool Window::presentToSurface(const uint32_t* pixels, int width, int height, int pitchBytes,
                              std::span<const WindowRect> changed)
{
    SDL_Surface* surface = SDL_GetWindowSurface(mWindow);
    if (surface == nullptr || surface->format->BytesPerPixel != 4)
        return false;
    const WindowRect target = fitRect(width, height, {0, 0, surface->w, surface->h});
    const bool whole = mRepaint.exchange(false) || mScaler.imageWidth() != width ||
                       mScaler.imageHeight() != height || !(mScaler.target() == target);
    if (!whole && changed.empty())
    {
        ++mCounts.unchanged;
        return true;
    }
    mScaler.setSize(width, height, target);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return false;
    const bool direct = isXrgb(surface->format->format);
    std::vector<uint32_t> staged;
    std::vector<SDL_Rect> updated;
    const auto show = [&](const WindowRect& area)
    {
        const WindowRect out = mScaler.covered(area);
        if (out.width <= 0 || out.height <= 0)
            return;
        if (direct)
        {
            mScaler.scale(pixels, pitchBytes, area, static_cast<uint32_t*>(surface->pixels), surface->pitch);
        }
        else
        {
            // Scaled into a 32-bit copy of the window, then converted into its format.
            staged.resize(size_t(surface->w) * size_t(surface->h));
            mScaler.scale(pixels, pitchBytes, area, staged.data(), surface->w * 4);
            uint8_t* to = static_cast<uint8_t*>(surface->pixels) + ptrdiff_t(out.y) * surface->pitch +
                          ptrdiff_t(out.x) * 4;
            SDL_ConvertPixels(out.width, out.height, SDL_PIXELFORMAT_RGB888,
                              staged.data() + size_t(out.y) * size_t(surface->w) + size_t(out.x),
                              surface->w * 4, surface->format->format, to, surface->pitch);
        }
        updated.push_back({out.x, out.y, out.width, out.height});
        mCounts.pixels += uint64_t(out.width) * uint64_t(out.height);
    };
    if (whole)
    {
        fillBars(surface, target);
        show({0, 0, width, height});
    }
    else
    {
        for (const WindowRect& area : changed)
            show(clipToImage(area, width, height));
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    const int result = whole ? SDL_UpdateWindowSurface(mWindow)
                             : SDL_UpdateWindowSurfaceRects(mWindow, updated.data(), int(updated.size()));
    if (result != 0)
    {
        mRepaint = true;
        return false;
    }
    ++mCounts.shown;
    return true;
}

bool Window::presentThroughRenderer(const uint32_t* pixels, int width, int height, int pitchBytes,
                                    std::span<const WindowRect> changed)
{
    bool whole = mRepaint.exchange(false);
    if (!mTexture || mTextureWidth != width || mTextureHeight != height)
    {
        if (mTexture)
            SDL_DestroyTexture(mTexture);
        mTexture = SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width,
                                     height);
        if (!mTexture)
            return false;
        mTextureWidth = width;
        mTextureHeight = height;
        whole = true;
    }
    if (!whole && changed.empty())
    {
        ++mCounts.unchanged;
        return true;
    }
    const auto upload = [&](const WindowRect& area)
    {
        if (area.width <= 0 || area.height <= 0)
            return true;
        const SDL_Rect rect{area.x, area.y, area.width, area.height};
        const auto* from =
            reinterpret_cast<const uint8_t*>(pixels) + ptrdiff_t(area.y) * pitchBytes + ptrdiff_t(area.x) * 4;
        mCounts.pixels += uint64_t(area.width) * uint64_t(area.height);
        return SDL_UpdateTexture(mTexture, &rect, from, pitchBytes) == 0;
    };
    bool uploaded = true;
    if (whole)
        uploaded = upload({0, 0, width, height});
    else
        for (const WindowRect& area : changed)
            uploaded = upload(clipToImage(area, width, height)) && uploaded;
    if (!uploaded)
    {
        mRepaint = true;
        return false;
    }
    int outW = 0, outH = 0;
    if (SDL_GetRendererOutputSize(mRenderer, &outW, &outH) != 0)
        return false;
    const WindowRect target = fitRect(width, height, {0, 0, outW, outH});
    const SDL_Rect dst{target.x, target.y, target.width, target.height};
    SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
    SDL_RenderClear(mRenderer);
    SDL_RenderCopy(mRenderer, mTexture, nullptr, &dst);
    SDL_RenderPresent(mRenderer);
    ++mCounts.shown;
    return true;
}

std::vector<uint32_t> Window::shownPixels()
{
    const WindowRect client = clientRect();
    if (!mWindow || client.width <= 0 || client.height <= 0)
        return {};
    std::vector<uint32_t> pixels(size_t(client.width) * size_t(client.height));
    if (mRenderer != nullptr)
    {
        const SDL_Rect all{0, 0, client.width, client.height};
        if (SDL_SetRenderTarget(mRenderer, nullptr) != 0 ||
            SDL_RenderReadPixels(mRenderer, &all, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                 client.width * 4) != 0)
            return {};
    }
    else
    {
        SDL_Surface* surface = SDL_GetWindowSurface(mWindow);
        if (surface == nullptr || surface->w != client.width || surface->h != client.height)
            return {};
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
            return {};
        SDL_ConvertPixels(client.width, client.height, surface->format->format, surface->pixels,
                          surface->pitch, SDL_PIXELFORMAT_ARGB8888, pixels.data(), client.width * 4);
        if (SDL_MUSTLOCK(surface))
            SDL_UnlockSurface(surface);
    }
    for (uint32_t& pixel : pixels)
        pixel |= 0xFF000000u;
    return pixels;
}

void Window::releaseRenderer()
{
    if (mDevice)
        mDevice->forgetRenderer();
    if (mTexture)
        SDL_DestroyTexture(mTexture);
    if (mRenderer)
        SDL_DestroyRenderer(mRenderer);
    mTexture = nullptr;
    mRenderer = nullptr;
    mRepaint = true;
}

} // namespace platform
