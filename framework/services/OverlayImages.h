#pragma once

#include "framework/foundation/HiResTimer.h"
#include "framework/services/DeveloperOverlay.h"

#include <cstdint>
#include <memory>

namespace Quib
{

class Font;
class Image;
class MemoryImage;

// The developer overlays' small text images, kept up to date before each
// frame and drawn onto the screen image just before it is presented, so that
// they never dirty the widgets.
class OverlayImages
{
public:
    OverlayImages();
    ~OverlayImages();

    // The frame-rate overlay was switched on: it counts afresh.
    void RestartFps() { mFps.RequestRestart(); }
    void UpdateFps();
    void UpdateMousePosition(int x, int y);
    // At most once per 1000 / speed milliseconds.
    void UpdateDemoClock(uint32_t now, double speedMultiplier, int demoLength, int updateCount,
                         int frameTimeMs);

    // The FPS (kind 0) or mouse (kind 1) image at the lower right, the demo
    // clock above it.
    void Draw(Image* screen, int width, int height, int kind, bool demoClock);

    MemoryImage* FpsImage() { return mFpsImage.get(); }
    MemoryImage* MouseImage() { return mMouseImage.get(); }
    MemoryImage* DemoClockImage() { return mClockImage.get(); }

private:
    void Redraw(std::unique_ptr<MemoryImage>& image, std::unique_ptr<Font>& font, const std::string& text);

    FpsCounter mFps;
    HiResTimer mFpsTimer;
    bool mClockDrawn = false;
    uint32_t mLastClock = 0;
    std::unique_ptr<Font> mFpsFont, mMouseFont, mClockFont;
    std::unique_ptr<MemoryImage> mFpsImage, mMouseImage, mClockImage;
};

} // namespace Quib
