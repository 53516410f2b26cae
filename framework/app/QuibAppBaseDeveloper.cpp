#include "framework/app/DebugToggleSound.h"
#include "framework/app/QuibAppBase.h"
#include "framework/display/DDInterface.h"
#include "framework/foundation/Paths.h"
#include "framework/foundation/Profiler.h"
#include "framework/graphics/DDImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/SoundManager.h"
#include "framework/services/DeveloperOverlay.h"
#include "framework/services/ImageReport.h"
#include "framework/services/LiveValues.h"
#include "framework/services/Screenshots.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/Presenter.h"
#include "platform/Surface.h"

#include <algorithm>

namespace Quib
{

void QuibAppBase::TakeScreenshot()
{
    SaveScreenshot();
}

void QuibAppBase::SaveScreenshot()
{
    if (!mDDInterface || !mDDInterface->GetDrawSurfaceImage() ||
        !mDDInterface->GetDrawSurfaceImage()->mSurface)
        return;
    // The frame is read straight from the surface, so that the screen image keeps
    // no pixel copy; a frame drawn by the device is read back into it first.
    if (D3DServices* hardware = mDDInterface->Get3D())
        hardware->FinishScene();
    platform::Surface& surface = *mDDInterface->GetDrawSurfaceImage()->mSurface;
    const std::vector<uint32_t> pixels = platform::readArgb(surface);
    if (pixels.empty())
        return;
    ImageLib::Image picture(surface.Width(), surface.Height());
    std::copy(pixels.begin(), pixels.end(), picture.GetPixels());
    Quib::SaveScreenshot(GetSharedDataFolder(), picture);
    ResetUpdateTimer();
}

void QuibAppBase::WriteImageReport()
{
    std::vector<MemoryImage*> images;
    {
        CriticalSectionGuard lock(ImageLock());
        images.assign(mMemoryImageSet.begin(), mMemoryImageSet.end());
    }
    Quib::WriteImageReport(GetSharedDataFolder() + "_dump", images, nullptr, platform::localDateTimeText());
}

void QuibAppBase::UpdateDeveloperOverlays()
{
    if (mShowFps && mFpsOverlayKind == 0)
        mOverlays.UpdateFps();
    else if (mShowFps && mFpsOverlayKind == 1 && mWidgetManager)
        mOverlays.UpdateMousePosition(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
    if (mShowFps && IsPlayingDemo())
        mOverlays.UpdateDemoClock(platform::tickCount(), mMainLoop.mSpeedMultiplier, mDemo.DemoLength(),
                                  mMainLoop.mUpdateCount, mMainLoop.mFrameTime);
}

void QuibAppBase::DrawDeveloperOverlays()
{
    if (mShowFps && mDDInterface)
        mOverlays.Draw(mDDInterface->GetDrawSurfaceImage(), mWidth, mHeight, mFpsOverlayKind,
                       IsPlayingDemo());
}

void QuibAppBase::ShowVideoStatistics()
{
    VideoStats stats;
    stats.m3DOn = Is3DEnabled();
    stats.m3DRecommended = Is3DRecommended();
    stats.m3DSupported = Is3DSupported();
    {
        CriticalSectionGuard lock(ImageLock());
        stats.mImages = int(mMemoryImageSet.size());
    }
    stats.mSounds = mSoundManager ? mSoundManager->CountLoadedSounds() : 0;
    ShowMessageBox(VideoStatsText(stats), "Video Stats", 0);
}

bool QuibAppBase::IsProfiling()
{
    return Profiler::IsRunning();
}

void QuibAppBase::StartProfiling()
{
    Profiler::Begin();
}

std::string QuibAppBase::StopProfiling()
{
    Profiler::End();
    return Profiler::GetReport();
}

void QuibAppBase::PlayDebugToggleSound()
{
    // A new cue cuts the one still playing.
    mDebugToggleVoice.reset();
    mDebugToggleVoice = std::make_unique<platform::Voice>(mMixer, DebugToggleSound());
    mDebugToggleVoice->play(false);
}

bool QuibAppBase::ReloadLiveValues()
{
    return ReparseModVals([this](const std::string& text, const std::string& caption, uint32_t flags)
                          { ShowMessageBox(text, caption, flags); });
}

} // namespace Quib
