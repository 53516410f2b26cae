#include "platform/Window.h"

#include "platform/MessagePump.h"
#include "platform/SdlRenderDevice.h"
#include "platform/TextEncoding.h"

#include <SDL.h>
#include <algorithm>

namespace platform
{

namespace
{

// Room left for a title bar and frame when the desktop cannot tell their size
// before the window is shown.
constexpr int kAssumedFrameWidth = 16;
constexpr int kAssumedFrameHeight = 48;

bool videoReady()
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

} // namespace

WindowRect fitRect(int imageWidth, int imageHeight, const WindowRect& area)
{
    if (imageWidth <= 0 || imageHeight <= 0 || area.width <= 0 || area.height <= 0)
        return {area.x, area.y, 0, 0};
    // Compare the two scales exactly in integers: width-bound when
    // area.width / imageWidth <= area.height / imageHeight.
    int width = area.width;
    int height = area.height;
    if (int64_t(area.width) * imageHeight <= int64_t(area.height) * imageWidth)
        height = static_cast<int>(int64_t(area.width) * imageHeight / imageWidth);
    else
        width = static_cast<int>(int64_t(area.height) * imageWidth / imageHeight);
    return {area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
}

WindowRect workArea()
{
    SDL_Rect r{0, 0, 0, 0};
    if (!videoReady() || SDL_GetDisplayUsableBounds(0, &r) != 0)
        return desktopBounds();
    return {r.x, r.y, r.w, r.h};
}

WindowRect desktopBounds()
{
    SDL_Rect r{0, 0, 0, 0};
    if (!videoReady() || SDL_GetDisplayBounds(0, &r) != 0)
        return {0, 0, 0, 0};
    return {r.x, r.y, r.w, r.h};
}

Window::Window() = default;

Window::~Window()
{
    destroy();
}

bool Window::create(std::string_view title, int imageWidth, int imageHeight, bool fullScreen,
                    bool maximiseBox)
{
    destroy();
    if (imageWidth <= 0 || imageHeight <= 0)
        return false;
    // The window's own pixels go straight to the desktop; left to itself SDL
    // would put a renderer behind them that uploads and draws the whole window
    // for every changed rectangle.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    mImageWidth = imageWidth;
    mImageHeight = imageHeight;
    mFullScreen = fullScreen;
    mRepaint = true;
    const std::string utf8 = windows1252ToUtf8(title);
    uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullScreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    // Desktops offer maximising only to windows that may change their size; the
    // image is scaled into whatever size the window gets.
    else if (maximiseBox)
        flags |= SDL_WINDOW_RESIZABLE;
    // A full-screen window is also made as large as the desktop, so that it
    // covers the screen even where no window manager resizes it.
    const WindowRect desktop = fullScreen ? desktopBounds() : WindowRect{};
    if (desktop.width > 0 && desktop.height > 0)
        mWindow = SDL_CreateWindow(utf8.c_str(), desktop.x, desktop.y, desktop.width, desktop.height, flags);
    else
        mWindow = SDL_CreateWindow(utf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, imageWidth,
                                   imageHeight, flags);
    if (!mWindow)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    mId = SDL_GetWindowID(mWindow);
    SDL_AddEventWatch(&Window::watchEvents, this);
    setMainMessageWindow(mId);
    if (!fullScreen)
        fitWindowed();
    return true;
}

void Window::fitWindowed()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(mWindow, &top, &left, &bottom, &right) != 0)
    {
        top = kAssumedFrameHeight;
        left = kAssumedFrameWidth / 2;
        right = kAssumedFrameWidth / 2;
    }
    const WindowRect area = workArea();
    const WindowRect room{area.x + left, area.y + top, area.width - left - right, area.height - top - bottom};
    const WindowRect fitted = fitRect(mImageWidth, mImageHeight, room);
    if (fitted.width > 0 && fitted.height > 0)
    {
        SDL_SetWindowSize(mWindow, fitted.width, fitted.height);
        SDL_SetWindowPosition(mWindow, fitted.x, fitted.y);
    }
}

void Window::setTextInputCaret(int x, int y)
{
    if (!mWindow || mImageWidth <= 0 || mImageHeight <= 0)
        return;
    const WindowRect shown = presentationRect();
    mTextInputCaret = {shown.x + static_cast<int>(int64_t(x) * shown.width / mImageWidth),
                       shown.y + static_cast<int>(int64_t(y) * shown.height / mImageHeight), 1, 1};
    SDL_Rect rect{mTextInputCaret.x, mTextInputCaret.y, mTextInputCaret.width, mTextInputCaret.height};
    SDL_SetTextInputRect(&rect);
}

bool Window::hasMaximiseBox() const
{
    return mWindow != nullptr && (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_RESIZABLE) != 0;
}

void Window::destroy()
{
    if (!mWindow)
        return;
    SDL_DelEventWatch(&Window::watchEvents, this);
    releaseRenderer();
    SDL_DestroyWindow(mWindow);
    mWindow = nullptr;
    mId = 0;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void Window::show(bool activate)
{
    if (!mWindow)
        return;
    SDL_ShowWindow(mWindow);
    if (activate)
        SDL_RaiseWindow(mWindow);
}

void Window::hide()
{
    if (mWindow)
        SDL_HideWindow(mWindow);
}

bool Window::isShown() const
{
    return mWindow && (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_SHOWN) != 0;
}

bool Window::isSeenByUser() const
{
    const char* driver = mWindow ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver && SDL_strcmp(driver, "dummy") != 0 && SDL_strcmp(driver, "offscreen") != 0;
}

void Window::setTitle(std::string_view title)
{
    if (mWindow)
        SDL_SetWindowTitle(mWindow, windows1252ToUtf8(title).c_str());
}

bool Window::setIcon(const uint32_t* argb, int width, int height)
{
    if (!mWindow || argb == nullptr || width <= 0 || height <= 0)
        return false;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return false;
    SDL_SetWindowIcon(mWindow, surface);
    SDL_FreeSurface(surface);
    return true;
}

bool Window::setFullScreen(bool fullScreen)
{
    if (!mWindow)
        return false;
    const WindowRect desktop = desktopBounds();
    if (fullScreen && desktop.width > 0 && desktop.height > 0)
    {
        SDL_SetWindowPosition(mWindow, desktop.x, desktop.y);
        SDL_SetWindowSize(mWindow, desktop.width, desktop.height);
    }
    if (SDL_SetWindowFullscreen(mWindow, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return false;
    mFullScreen = fullScreen;
    mRepaint = true;
    if (!fullScreen)
        fitWindowed();
    return true;
}

void Window::minimise()
{
    if (mWindow)
        SDL_MinimizeWindow(mWindow);
}

void Window::restore()
{
    if (mWindow)
        SDL_RestoreWindow(mWindow);
}

void Window::bringToFront()
{
    if (!mWindow)
        return;
    if (isMinimised())
        SDL_RestoreWindow(mWindow);
    SDL_ShowWindow(mWindow);
    SDL_RaiseWindow(mWindow);
}

bool Window::isMinimised() const
{
    return mWindow && (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_MINIMIZED) != 0;
}

bool Window::hasFocus() const
{
    return mWindow && (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void Window::setPosition(int x, int y)
{
    if (mWindow)
        SDL_SetWindowPosition(mWindow, x, y);
}

WindowRect Window::frame() const
{
    WindowRect r;
    if (!mWindow)
        return r;
    SDL_GetWindowPosition(mWindow, &r.x, &r.y);
    SDL_GetWindowSize(mWindow, &r.width, &r.height);
    return r;
}

WindowRect Window::clientRect() const
{
    WindowRect r;
    if (mWindow)
        SDL_GetWindowSize(mWindow, &r.width, &r.height);
    return r;
}

void Window::warpPointer(int x, int y)
{
    if (mWindow != nullptr)
        SDL_WarpMouseInWindow(mWindow, x, y);
}

WindowRect Window::presentationRect() const
{
    return fitRect(mImageWidth, mImageHeight, clientRect());
}

int Window::refreshRate() const
{
    if (!mWindow)
        return 0;
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(mWindow, &mode) != 0)
        return 0;
    return mode.refresh_rate;
}

SDL_Renderer* Window::renderer()
{
    if (!mRenderer && mWindow)
    {
        mRenderer = SDL_CreateRenderer(mWindow, -1, 0);
        if (!mRenderer)
            mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_SOFTWARE);
        mRepaint = true;
    }
    return mRenderer;
}

RenderDevice* Window::renderDevice()
{
    if (!renderer())
        return nullptr;
    if (!mDevice)
        mDevice = std::make_unique<SdlRenderDevice>(mRenderer);
    else
        mDevice->useRenderer(mRenderer);
    return mDevice.get();
}

bool Window::mouseInside() const
{
    return mWindow && SDL_GetMouseFocus() == mWindow;
}

} // namespace platform
