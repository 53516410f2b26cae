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
    // A stand-in image reads the frame from the surface, so that the screen
    // image itself keeps no pixel copy.
    DDImage frame(mDDInterface.get());
    frame.SetSurface(mDDInterface->GetDrawSurfaceImage()->mSurface);
    const uint32_t* bits = frame.GetBits();
    ImageLib::Image picture(frame.GetWidth(), frame.GetHeight());
    if (bits && !picture.mBits.empty())
        std::copy(bits, bits + picture.mBits.size(), picture.mBits.begin());
    frame.DeleteSurface();
    if (!bits || picture.mBits.empty())
        return;
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
