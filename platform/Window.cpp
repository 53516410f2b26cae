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
// How long a newly shown window waits for the desktop to tell its frame's size.
constexpr uint32_t kFrameSizeWaitMs = 250;

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

bool Window::knownBorders(Borders& b) const
{
    b = {};
    return mWindow != nullptr &&
           SDL_GetWindowBordersSize(mWindow, &b.top, &b.left, &b.bottom, &b.right) == 0 &&
           (b.top != 0 || b.left != 0 || b.bottom != 0 || b.right != 0);
}

Window::Borders Window::borders() const
{
    Borders b;
    if (!knownBorders(b) && mWindow != nullptr && !mFullScreen)
        b = {kAssumedFrameHeight, kAssumedFrameWidth / 2, 0, kAssumedFrameWidth / 2};
    return b;
}

void Window::fitWindowed()
{
    constexpr int kMargin = 4;
    const Borders b = borders();
    const WindowRect area = workArea();
    const WindowRect room{area.x + kMargin + b.left, area.y + kMargin + b.top,
                          area.width - 2 * kMargin - b.left - b.right,
                          area.height - 2 * kMargin - b.top - b.bottom};
    WindowRect client{0, 0, mImageWidth, mImageHeight};
    if (room.width > 0 && room.height > 0 && (room.width < mImageWidth || room.height < mImageHeight))
        client = fitRect(mImageWidth, mImageHeight, room);
    if (client.width <= 0 || client.height <= 0)
        return;
    SDL_SetWindowSize(mWindow, client.width, client.height);
    if (area.width > 0 && area.height > 0)
        moveOuterTo(area.x + (area.width - client.width - b.left - b.right) / 2,
                    area.y + (area.height - client.height - b.top - b.bottom) / 2);
}

WindowRect Window::outerFrame() const
{
    const WindowRect client = frame();
    Borders b;
    // Until the desktop tells the frame's size, the position asked for is the frame's corner.
    if (!knownBorders(b))
    {
        b = borders();
        return {client.x, client.y, client.width + b.left + b.right, client.height + b.top + b.bottom};
    }
    return {client.x - b.left, client.y - b.top, client.width + b.left + b.right,
            client.height + b.top + b.bottom};
}

void Window::moveOuterTo(int x, int y)
{
    if (mWindow == nullptr)
        return;
    // The desktop places a window whose frame it has not told us about by its
    // frame's corner; once it has, positions are those of the client area.
    Borders b;
    mOuterPending = !knownBorders(b);
    SDL_SetWindowPosition(mWindow, x + b.left, y + b.top);
    mOuterX = x;
    mOuterY = y;
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
    // Shown, the window's frame has its real size: the corner goes where it was
    // meant to. An X window manager tells that size in a message of its own
    // shortly after the window appears; it is waited for a moment.
    Borders b;
    if (mOuterPending && !mFullScreen)
    {
        const char* driver = SDL_GetCurrentVideoDriver();
        const bool told = driver != nullptr && std::string_view(driver) == "x11";
        const uint32_t start = SDL_GetTicks();
        while (!knownBorders(b) && told && SDL_GetTicks() - start < kFrameSizeWaitMs)
        {
            SDL_PumpEvents();
            SDL_Delay(1);
        }
        if (knownBorders(b))
            moveOuterTo(mOuterX, mOuterY);
    }
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
        if (!mSoftwarePresent)
            mRenderer = SDL_CreateRenderer(mWindow, -1, 0);
        if (!mRenderer)
            mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_SOFTWARE);
        if (mRenderer && mWaitForVerticalBlank)
            SDL_RenderSetVSync(mRenderer, 1);
        mRepaint = true;
    }
    return mRenderer;
}

void Window::setWaitForVerticalBlank(bool on)
{
    mWaitForVerticalBlank = on;
    // A renderer that cannot wait shows frames as they come.
    if (mRenderer)
        SDL_RenderSetVSync(mRenderer, on ? 1 : 0);
}

bool Window::usesSoftwareRenderer() const
{
    SDL_RendererInfo info{};
    return mRenderer != nullptr && SDL_GetRendererInfo(mRenderer, &info) == 0 &&
           (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

void Window::setSoftwarePresent(bool on)
{
    mSoftwarePresent = on;
    if (on && mRenderer != nullptr && !usesSoftwareRenderer())
        releaseRenderer();
}

RenderDevice* Window::renderDevice()
{
    // The drawing device wants the desktop's preferred renderer, not the
    // processor's own that software frames are shown with.
    if (mSoftwarePresent && usesSoftwareRenderer())
        releaseRenderer();
    mSoftwarePresent = false;
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
