#include "framework/display/DDInterface.h"

#include "framework/display/DirectXErrorName.h"
#include "framework/display/DisplayHost.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "platform/Window.h"

#include <algorithm>
#include <cstring>

namespace Quib
{
namespace
{

platform::SurfaceRect ToSurfaceRect(const Rect& rect)
{
    return {rect.mX, rect.mY, rect.mX + rect.mWidth, rect.mY + rect.mHeight};
}

} // namespace

DDInterface::DDInterface(DisplayHost* app) : mApp(app) {}

DDInterface::~DDInterface()
{
    ReleaseSurfaces();
}

platform::RenderDevice* DDInterface::RenderDeviceFor3D()
{
    if (mRenderDeviceSource)
        return mRenderDeviceSource();
    return mWindow != nullptr ? mWindow->renderDevice() : nullptr;
}

bool DDInterface::RunAccelerationTest()
{
    if (mD3DTester || mApp == nullptr || !(mApp->IsTest3DRequested() || mApp->IsAutoEnable3D()))
        return false;
    mD3DTester = std::make_unique<D3DTester>();
    mD3DTester->SetVideoMemoryLimits(mApp->GetMinVideoMemory(), mApp->GetRecommendedVideoMemory());
    mD3DTester->mCardPresent = mGraphicsCardProbe();
    // Without a card every renderer the desktop could give draws on the processor:
    // making one (a GL library, its shader compiler) only to turn it down by its
    // name would cost more than the rest of the start.
    platform::RenderDevice* device =
        mD3DTester->mCardPresent || mD3DTester->mAcceptSoftwareRenderer ? RenderDeviceFor3D() : nullptr;
    mD3DTester->RunTest(device, mApp, mApp->GetRegistryKey());
    mRendererDrawsWithoutCard =
        !mD3DTester->mCardPresent || (device != nullptr && D3DTester::DrawsWithoutCard(device->info()));
    const bool clean = mD3DTester->mFailureReason.empty() && mD3DTester->mWarning.empty();
    if (mApp->IsAutoEnable3D() && clean)
        mIs3D = true;
    if (!mD3DTester->mFailureReason.empty())
        mIs3D = false;
    if (mD3DTester->mResultsChanged && !clean)
        mIs3D = false;
    return true;
}

void DDInterface::DropImageTextures(MemoryImage* image)
{
    mD3DInterface->DropImageTextures(image);
}

std::string DDInterface::ResultName(int code)
{
    switch (code)
    {
    case RESULT_OK:
        return "RESULT_OK";
    case RESULT_FAIL:
        return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL:
        return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL:
        return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL:
        return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL:
        return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH:
        return "RESULT_INVALID_COLORDEPTH";
    default:
        return "RESULT_UNKNOWN";
    }
}

uint32_t DDInterface::ClampRefreshRate(int32_t hz, bool& clamped)
{
    clamped = hz < 60 || hz > 100;
    return uint32_t(std::clamp(hz < 60 ? 60 : hz, 60, 100));
}

ImageHost* DDInterface::GetApp()
{
    return mApp;
}

int DDInterface::Fail(int code, const std::string& step, uint32_t error)
{
    mErrorString = step + ": " + DirectXErrorName(error);
    return code;
}

bool DDInterface::CheckResult(const std::string& step, platform::SurfaceResult result)
{
    if (result == platform::SurfaceResult::Ok)
        return false;
    mErrorString = step + ": " + DirectXErrorName(result);
    return true;
}

void DDInterface::ClearSurface(platform::Surface& surface)
{
    platform::LockedSurface locked;
    if (surface.Lock(locked) != platform::SurfaceResult::Ok)
        return;
    const size_t rowBytes = size_t(surface.Width()) * (surface.Format().bitCount / 8);
    for (int32_t y = 0; y < surface.Height(); ++y)
        std::memset(locked.bits + size_t(y) * size_t(locked.pitch), 0, rowBytes);
    surface.Unlock();
}

void DDInterface::ReleaseSurfaces()
{
    CriticalSectionGuard guard(mCritSect);
    mInitialized = false;
    mD3DInterface->Shutdown();
    mScreenImage.reset();
    mDrawSurface = nullptr;
    mSecondarySurface.reset();
    mSystemDrawSurface.reset();
    mPrimarySurface.reset();
}

int DDInterface::InitDisplay(platform::Window* window, bool windowed)
{
    CriticalSectionGuard guard(mCritSect);
    ReleaseSurfaces();
    mWindow = window;
    mWindowed = windowed;
    if (window == nullptr || !window->isOpen())
        return Fail(RESULT_DD_CREATE_FAIL, "DirectDrawCreate", DXResult::kNoDirectDrawHardware);
    if (RunAccelerationTest() && mD3DTester->mResultsChanged)
        mApp->OnHardwareTestCompleted();
    window->setSoftwarePresent(!mIs3D && mRendererDrawsWithoutCard);
    // Full screen shows each frame at the vertical blank; a window shows it at once.
    window->setWaitForVerticalBlank(!windowed);
    // Software frames are scaled into the window's own pixels, which the
    // desktop refuses while a renderer (the tester's, or an earlier 3D set-up's) holds the window.
    if (!mIs3D)
        window->releaseRenderer();

    mWidth = mApp->GetScreenWidth();
    mHeight = mApp->GetScreenHeight();
    mAspect.Set(mWidth, mHeight);
    const platform::WindowRect desktop = platform::desktopBounds();
    mDesktopWidth = desktop.width;
    mDesktopHeight = desktop.height;
    mDesktopAspect.Set(mDesktopWidth, mDesktopHeight);
    mDisplayWidth = mWidth;
    mDisplayHeight = mHeight;
    mDisplayAspect = mAspect;
    mFullscreenBits = mApp->GetFullScreenBitDepth();

    // The screen's format: a window shows the desktop's, full screen shows the
    // depth the application asks for, letterboxed in the desktop's own mode.
    int32_t depth;
    if (windowed)
    {
        depth = mDesktopBitDepth ? mDesktopBitDepth() : 32;
        if (depth != 16 && depth != 32)
            return Fail(RESULT_INVALID_COLORDEPTH, "CreateSurface Windowed Primary",
                        DXResult::kInvalidPixelFormat);
    }
    else
    {
        depth = mFullscreenBits;
        if (depth != 16 && depth != 32)
            return Fail(RESULT_DISPCHANGE_FAIL, "SetDisplayMode", DXResult::kInvalidMode);
    }
    if (window->isFullScreen() == windowed && !window->setFullScreen(!windowed))
        return Fail(windowed ? RESULT_FAIL : RESULT_EXCLUSIVE_FAIL, "SetCooperativeLevel",
                    DXResult::kExclusiveModeAlreadySet);
    mPresentationRect = [&]
    {
        const platform::WindowRect shown = window->presentationRect();
        return Rect(shown.x, shown.y, shown.width, shown.height);
    }();

    const platform::PixelFormat format =
        depth == 16 ? platform::PixelFormat::Rgb565() : platform::PixelFormat::Rgb32();
    mPrimarySurface = platform::Surface::Create({mWidth, mHeight, format, platform::SurfaceMemory::Video});
    if (!mPrimarySurface)
    {
        CheckResult(windowed ? "CreateSurface Windowed Primary" : "CreateSurface Primary",
                    platform::SurfaceResult::OutOfMemory);
        return RESULT_SURFACE_FAIL;
    }
    // A new screen starts black, whatever memory it was given.
    ClearSurface(*mPrimarySurface);
    mBitDepth = format.bitCount;
    mRedMask = int32_t(format.redMask);
    mGreenMask = int32_t(format.greenMask);
    mBlueMask = int32_t(format.blueMask);
    mRedShift = platform::MaskShift(format.redMask);
    mGreenShift = platform::MaskShift(format.greenMask);
    mBlueShift = platform::MaskShift(format.blueMask);
    mRedBits = platform::MaskBits(format.redMask);
    mGreenBits = platform::MaskBits(format.greenMask);
    mBlueBits = platform::MaskBits(format.blueMask);
    BuildAddTables();

    const platform::SurfaceResult drawResult =
        CreateSurface(mWidth, mHeight, platform::SurfaceMemory::System, mSystemDrawSurface);
    if (CheckResult(windowed ? "CreateSurface Windowed DrawSurface" : "CreateSurface DrawSurface",
                    drawResult))
        return RESULT_SURFACE_FAIL;
    ClearSurface(*mSystemDrawSurface);

    bool clamped = false;
    mRefreshRate = ClampRefreshRate(window->refreshRate(), clamped);
    if (clamped)
        mApp->SetVSyncBroken();
    mMillisecondsPerFrame = 1000 / mRefreshRate;

    UseVideoMemoryDrawSurface(mVideoOnlyDraw);
    if (mIs3D && !mD3DInterface->InitFromDisplay(this))
    {
        mErrorString = "3D init error: " + gLast3DError;
        return RESULT_3D_FAIL;
    }
    mInitialized = true;
    return RESULT_OK;
}

platform::SurfaceResult DDInterface::CreateSurface(int32_t width, int32_t height,
                                                   platform::SurfaceMemory memory,
                                                   std::shared_ptr<platform::Surface>& out)
{
    CriticalSectionGuard guard(mCritSect);
    out.reset();
    if (mBitDepth != 16 && mBitDepth != 32)
        return platform::SurfaceResult::InvalidPixelFormat;
    const platform::PixelFormat format{mBitDepth, uint32_t(mRedMask), uint32_t(mGreenMask),
                                       uint32_t(mBlueMask)};
    gDisplayRGBOrder = format.blueMask < format.greenMask && format.greenMask < format.redMask;
    out = platform::Surface::Create({width, height, format, memory});
    return out ? platform::SurfaceResult::Ok : platform::SurfaceResult::OutOfMemory;
}

void DDInterface::UseVideoMemoryDrawSurface(bool on)
{
    CriticalSectionGuard guard(mCritSect);
    if (on && !mSecondarySurface &&
        CreateSurface(mWidth, mHeight, platform::SurfaceMemory::Video, mSecondarySurface) !=
            platform::SurfaceResult::Ok)
        on = false;
    mVideoOnlyDraw = on;
    mDrawSurface = on ? mSecondarySurface.get() : mSystemDrawSurface.get();
    if (mDrawSurface == nullptr)
        return;
    if (!mScreenImage)
        mScreenImage = std::make_unique<DDImage>(this);
    mScreenImage->SetSurface(on ? mSecondarySurface : mSystemDrawSurface);
    mScreenImage->mNoSoftwareDraw = mVideoOnlyDraw;
    mScreenImage->mVideoMemory = mVideoOnlyDraw;
    mScreenImage->mHasTrans = false;
    mScreenImage->mHasAlpha = false;
}

bool DDInterface::Redraw(const Rect* rect)
{
    CriticalSectionGuard guard(mCritSect);
    if (!mInitialized || mWindow == nullptr || mDrawSurface == nullptr)
        return false;
    mInRedraw = true;
    if (mIs3D)
    {
        // A failed hardware step spoiled this frame: it is not shown, and the
        // application sets the display up again in software.
        if (!gLast3DError.empty())
        {
            mInRedraw = false;
            mIs3D = false;
            return false;
        }
        mCursorX = mNextCursorX.load();
        mCursorY = mNextCursorY.load();
        // Demo playback's recorded pointer is laid over the shown frame by the
        // renderer; the frame itself is never read back for it.
        Image* pointer = mDrawSoftwareCursor ? mCursorImage : nullptr;
        const bool shown = pointer != nullptr
                               ? mD3DInterface->PresentFrame(pointer, mCursorX - pointer->GetWidth() / 2,
                                                             mCursorY - pointer->GetHeight() / 2)
                               : mD3DInterface->PresentFrame();
        mInRedraw = false;
        if (!shown)
            CheckResult(mWindowed ? "Redraw Windowed" : "Redraw FullScreen Blt",
                        platform::SurfaceResult::Lost);
        return shown;
    }
    Rect area(0, 0, mWidth, mHeight);
    if (rect != nullptr)
        area = area.Intersection(*rect);
    platform::SurfaceResult result = platform::SurfaceResult::Ok;
    if (area.mWidth > 0 && area.mHeight > 0)
        result = mPrimarySurface->Blt(ToSurfaceRect(area), *mDrawSurface, ToSurfaceRect(area), false);
    mCursorX = mNextCursorX.load();
    mCursorY = mNextCursorY.load();
    if (result == platform::SurfaceResult::Ok && mDrawSoftwareCursor && mCursorImage != nullptr)
        DrawCursorOnPrimary();
    const char* step = mWindowed ? "Redraw Windowed" : "Redraw FullScreen Blt";
    bool failed = CheckResult(step, result);
    if (!failed && !mPresenter.present(*mWindow, *mPrimarySurface))
        failed = CheckResult(step, platform::SurfaceResult::Lost);
    mInRedraw = false;
    return !failed;
}

void DDInterface::DrawCursorOnPrimary()
{
    DDImage screen(this);
    screen.SetSurface(mPrimarySurface);
    mCursorTarget = &screen;
    Graphics g(&screen);
    g.DrawImage(mCursorImage, mCursorX - mCursorImage->GetWidth() / 2,
                mCursorY - mCursorImage->GetHeight() / 2);
    mCursorTarget = nullptr;
    screen.DeleteSurface();
}

bool DDInterface::ChangeCursorImage(Image* image)
{
    CriticalSectionGuard guard(mCritSect);
    const bool changed = image != mCursorImage;
    mCursorImage = image;
    return changed;
}

Image* DDInterface::GetCursorImage()
{
    CriticalSectionGuard guard(mCritSect);
    return mCursorImage;
}

void DDInterface::SetWantedCursorPosition(int32_t x, int32_t y)
{
    mNextCursorX = x;
    mNextCursorY = y;
}

void DDInterface::MoveCursor(int32_t x, int32_t y)
{
    SetWantedCursorPosition(x, y);
    // A present in progress takes the wanted position itself; never wait for it.
    if (mInRedraw)
        return;
    CriticalSectionGuard guard(mCritSect);
    mCursorX = x;
    mCursorY = y;
}

void DDInterface::RegisterImage(DDImage* image)
{
    CriticalSectionGuard guard(mCritSect);
    mDDImageSet.insert(image);
}

void DDInterface::UnregisterImage(DDImage* image)
{
    CriticalSectionGuard guard(mCritSect);
    mDDImageSet.erase(image);
}

bool DDInterface::IsCursorAreaImage(const DDImage* image) const
{
    return image != nullptr && image == mCursorTarget;
}

} // namespace Quib
