#pragma once

#include "framework/display/D3DInterface.h"
#include "framework/display/D3DTester.h"
#include "framework/foundation/AspectRatio.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DisplayServices.h"
#include "platform/GraphicsCard.h"
#include "platform/Presenter.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace platform
{
class RenderDevice;
class Window;
} // namespace platform

namespace Quib
{

class DisplayHost;

// The application's one display: software surfaces in the screen's pixel format,
// the frame drawn into an off-screen draw surface and presented scaled into the
// window or letterboxed on the full screen. The pointer itself is the desktop's
// cursor; the software cursor's image and positions are kept here for the
// application, which turns the image into a colour cursor.
class DDInterface : public DisplayServices
{
public:
    enum InitResult
    {
        RESULT_OK = 0,
        RESULT_FAIL = 1,
        RESULT_DD_CREATE_FAIL = 2,
        RESULT_SURFACE_FAIL = 3,
        RESULT_EXCLUSIVE_FAIL = 4,
        RESULT_DISPCHANGE_FAIL = 5,
        RESULT_INVALID_COLORDEPTH = 6,
        RESULT_3D_FAIL = 7
    };

    explicit DDInterface(DisplayHost* app);
    ~DDInterface() override;
    DDInterface(const DDInterface&) = delete;
    DDInterface& operator=(const DDInterface&) = delete;

    // (Re)creates every surface for the window in the given mode.
    int InitDisplay(platform::Window* window, bool windowed);
    // Presents the draw surface; the rectangle limits the copy to the screen
    // surface, the whole screen is shown either way. False before a set-up.
    bool Redraw(const Rect* rect = nullptr);
    DDImage* GetDrawSurfaceImage() { return mScreenImage.get(); }
    void UseVideoMemoryDrawSurface(bool on);
    // True when the image differs from the current one.
    bool ChangeCursorImage(Image* image);
    void MoveCursor(int32_t x, int32_t y);
    void SetWantedCursorPosition(int32_t x, int32_t y);
    Image* GetCursorImage();
    void ReleaseSurfaces();

    static std::string ResultName(int code);
    // On a failed result the error text becomes the step and the result's
    // name, and the answer is true; false for success.
    bool CheckResult(const std::string& step, platform::SurfaceResult result);
    // Zeroes every row of the surface (black in every format).
    static void ClearSurface(platform::Surface& surface);
    // Rates below 60 Hz (0 when unknown) become 60 and above 100 become 100.
    static uint32_t ClampRefreshRate(int32_t hz, bool& clamped);

    // DisplayServices.
    ImageHost* GetApp() override;
    void RegisterImage(DDImage* image) override;
    void UnregisterImage(DDImage* image) override;
    platform::SurfaceResult CreateSurface(int32_t width, int32_t height, platform::SurfaceMemory memory,
                                          std::shared_ptr<platform::Surface>& out) override;
    bool Is3DOn() const override { return mIs3D; }
    platform::Surface* GetPrimarySurface() override { return mPrimarySurface.get(); }
    platform::Surface* GetDrawSurface() override { return mDrawSurface; }
    bool IsCursorAreaImage(const DDImage* image) const override;
    D3DServices* Get3D() override
    {
        return mIs3D && mD3DInterface->mDevice != nullptr ? mD3DInterface.get() : nullptr;
    }

    // Runs the acceleration test once, when the application asks for it or for
    // automatic 3D; true when it ran now. The verdict decides the 3D flag.
    bool RunAccelerationTest();
    void DropImageTextures(MemoryImage* image);
    // The device the hardware path draws with: the window's, unless a test gives another.
    platform::RenderDevice* RenderDeviceFor3D();

    DisplayHost* mApp;
    std::unique_ptr<D3DInterface> mD3DInterface = std::make_unique<D3DInterface>();
    std::unique_ptr<D3DTester> mD3DTester;
    std::function<platform::RenderDevice*()> mRenderDeviceSource;
    // Asked before the acceleration test makes a renderer; tests stand in other machines.
    std::function<bool()> mGraphicsCardProbe = [] { return platform::graphicsCardPresent(); };
    // Read when the screen is set up; tests stand in other desktops.
    std::function<int()> mDesktopBitDepth = platform::desktopBitsPerPixel;
    bool mIs3D = false;
    // The tester found the desktop's renderer drawing on the processor; software
    // frames are then shown without it.
    bool mRendererDrawsWithoutCard = false;
    std::atomic<bool> mInRedraw{false};
    platform::Window* mWindow = nullptr;
    bool mWindowed = true;
    // The screen as the window shows it, the normal draw surface, the video-memory
    // draw surface, and the one frames are drawn into now.
    std::shared_ptr<platform::Surface> mPrimarySurface;
    std::shared_ptr<platform::Surface> mSystemDrawSurface;
    std::shared_ptr<platform::Surface> mSecondarySurface;
    platform::Surface* mDrawSurface = nullptr;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    AspectRatio mAspect;
    int32_t mDesktopWidth = 0;
    int32_t mDesktopHeight = 0;
    AspectRatio mDesktopAspect;
    int32_t mDisplayWidth = 0;
    int32_t mDisplayHeight = 0;
    AspectRatio mDisplayAspect;
    Rect mPresentationRect;
    int32_t mFullscreenBits = 0;
    uint32_t mRefreshRate = 60;
    uint32_t mMillisecondsPerFrame = 16;
    bool mInitialized = false;
    std::unique_ptr<DDImage> mScreenImage;
    std::set<DDImage*> mDDImageSet;
    bool mVideoOnlyDraw = false;
    std::atomic<int32_t> mNextCursorX{0};
    std::atomic<int32_t> mNextCursorY{0};
    std::atomic<int32_t> mCursorX{0};
    std::atomic<int32_t> mCursorY{0};
    Image* mCursorImage = nullptr;
    // Draws the software cursor image, centred on the cursor position, into
    // every presented frame (the drawn frame itself stays clean). Demo
    // playback shows the recorded pointer this way; otherwise the desktop
    // draws the cursor.
    bool mDrawSoftwareCursor = false;
    std::string mErrorString;

private:
    int Fail(int code, const std::string& step, uint32_t error);
    void DrawCursorOnPrimary();
    platform::Presenter mPresenter;
    // The image over the screen that the pointer is being drawn into: it is drawn
    // straight into the screen's pixels even while frames go through the renderer.
    const DDImage* mCursorTarget = nullptr;
};

} // namespace Quib
