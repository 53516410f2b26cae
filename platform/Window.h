#pragma once

#include "platform/FrameScaler.h"
#include "platform/WindowRect.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace platform
{

class RenderDevice;
class SdlRenderDevice;

// What the window's presents have done so far.
struct PresentCounts
{
    // Frames that reached the screen, and frames with nothing new that did not.
    uint64_t shown = 0;
    uint64_t unchanged = 0;
    // Window pixels written and handed to the desktop.
    uint64_t pixels = 0;
};

// The largest rectangle of the image's aspect that fits in `area`, centred in it.
WindowRect fitRect(int imageWidth, int imageHeight, const WindowRect& area);

// The desktop's usable area (without panels) of the first display, and its size.
WindowRect workArea();
WindowRect desktopBounds();

// The program's window on the desktop. It shows an image of a fixed size
// (the application's screen): in a window scaled to the largest size that fits
// the screen, or full screen in the desktop's own mode with the image
// letterboxed; the monitor's mode is never changed. Main thread only.
class Window
{
public:
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window hidden. Titles are Windows-1252 text. A window with a
    // maximise box can be maximised by the desktop (its messages then ask for
    // full screen).
    bool create(std::string_view title, int imageWidth, int imageHeight, bool fullScreen,
                bool maximiseBox = false);
    bool hasMaximiseBox() const;
    void destroy();
    bool isOpen() const { return mWindow != nullptr; }
    // The id that the window's messages carry.
    uint32_t id() const { return mId; }

    void show(bool activate = true);
    void hide();
    bool isShown() const;
    // False on a display no one looks at (the dummy and offscreen drivers),
    // where a window waiting for its user would wait for ever.
    bool isSeenByUser() const;
    void setTitle(std::string_view title);
    // The window's icon from 32-bit ARGB pixels; false when the desktop refuses it.
    bool setIcon(const uint32_t* argb, int width, int height);
    bool setFullScreen(bool fullScreen);
    bool isFullScreen() const { return mFullScreen; }
    void minimise();
    void restore();
    // Restores a minimised window and raises it above the others.
    void bringToFront();
    bool isMinimised() const;
    bool hasFocus() const;
    void setPosition(int x, int y);
    WindowRect frame() const; // position and size of the client area on the desktop
    // The whole window with its title bar and borders. Before the desktop has
    // shown the window it cannot tell their size; room for them is assumed.
    WindowRect outerFrame() const;
    // Puts the title bar's corner at (x, y); a window not shown yet is put
    // there again once the desktop tells the size of its frame.
    void moveOuterTo(int x, int y);

    // The client area's size in pixels and where the image lies in it; mouse
    // positions map from this rectangle onto the image.
    WindowRect clientRect() const;
    WindowRect presentationRect() const;

    // The display's refresh rate as the desktop reports it; 0 when unknown.
    int refreshRate() const;
    // Frames are shown at the vertical blank, where the desktop's renderer can
    // wait for it. Whatever shows the frames reads it.
    void setWaitForVerticalBlank(bool on);
    bool waitsForVerticalBlank() const { return mWaitForVerticalBlank; }

    // Shows one frame of 32-bit 0xAARRGGBB pixels (alpha ignored) scaled into
    // the presentation rectangle, the rest of the client area black.
    bool present(const uint32_t* pixels, int width, int height, int pitchBytes);
    // The same, for a frame of which only the `changed` areas (image
    // coordinates) differ from the frame presented before it: only they are
    // scaled and handed to the desktop, and a frame without changes is not
    // shown at all, unless the window needs a whole repaint of its own (new,
    // exposed, resized, restored).
    bool presentChanged(const uint32_t* pixels, int width, int height, int pitchBytes,
                        std::span<const WindowRect> changed);
    const PresentCounts& presentCounts() const { return mCounts; }
    // Whether frames go through a renderer rather than the window's own pixels.
    bool presentsThroughRenderer() const { return mRenderer != nullptr; }
    // What the client area shows, 0xFFRRGGBB rows of its width; empty when it cannot be read.
    std::vector<uint32_t> shownPixels();

    // The window's drawing device, made at the first call; null when the window
    // is closed or no renderer can be made. It lives as long as this object.
    RenderDevice* renderDevice();
    // Frames drawn in software are shown through a renderer of the processor's
    // own rather than the desktop's preferred one: where that one is a software
    // GL it costs far more for the same picture. Switching it on lets go of a
    // renderer made for the drawing device; the device makes its own again when
    // it is next asked for.
    void setSoftwarePresent(bool on);
    bool softwarePresent() const { return mSoftwarePresent; }
    // Whether the renderer made now is the processor's own.
    bool usesSoftwareRenderer() const;
    // Ends the renderer: frames are then shown through the window's own pixels,
    // scaled by our code. The device object stays and takes a new renderer when
    // it is asked for again.
    void releaseRenderer();

    // Whether the mouse is over this window's client area.
    bool mouseInside() const;
    // Puts the desktop's pointer at a point of the client area.
    void warpPointer(int x, int y);

    // Where the input method places its windows: the caret at (x, y) of the
    // image, in the window as it is shown now.
    void setTextInputCaret(int x, int y);
    WindowRect textInputCaret() const { return mTextInputCaret; }

    SDL_Window* sdlWindow() const { return mWindow; }

private:
    // The window at the image's own size, smaller only where the work area
    // cannot hold it with its frame; centred in the work area.
    void fitWindowed();
    struct Borders
    {
        int top = 0;
        int left = 0;
        int bottom = 0;
        int right = 0;
    };
    // The frame's size as the desktop tells it, or room assumed for it.
    Borders borders() const;
    // False while the desktop has not told the frame's size (or has none).
    bool knownBorders(Borders& b) const;
    // The renderer frames are shown with, made on first use.
    SDL_Renderer* renderer();
    bool presentToSurface(const uint32_t* pixels, int width, int height, int pitchBytes,
                          std::span<const WindowRect> changed);
    bool presentThroughRenderer(const uint32_t* pixels, int width, int height, int pitchBytes,
                                std::span<const WindowRect> changed);
    // Notes the window events after which the desktop needs the whole picture again.
    static int watchEvents(void* window, SDL_Event* event);

    SDL_Window* mWindow = nullptr;
    SDL_Renderer* mRenderer = nullptr;
    std::unique_ptr<SdlRenderDevice> mDevice;
    SDL_Texture* mTexture = nullptr;
    int mTextureWidth = 0;
    int mTextureHeight = 0;
    FrameScaler mScaler;
    // Set by the event watch (on whichever thread pumps events).
    std::atomic<bool> mRepaint{true};
    PresentCounts mCounts;
    uint32_t mId = 0;
    int mImageWidth = 0;
    int mImageHeight = 0;
    bool mFullScreen = false;
    bool mSoftwarePresent = false;
    bool mWaitForVerticalBlank = false;
    // Where moveOuterTo put the window while its frame size was only assumed.
    bool mOuterPending = false;
    int mOuterX = 0;
    int mOuterY = 0;
    WindowRect mTextInputCaret;
};

} // namespace platform
