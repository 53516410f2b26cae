#include "framework/app/DemoPlaybackDialogs.h"
#include "framework/app/QuibAppBase.h"
#include "framework/foundation/HiResTimer.h"
#include "framework/graphics/Font.h"
#include "framework/services/DemoReplayTarget.h"
#include "framework/widgets/ControlFont.h"
#include "platform/Clock.h"

#include <utility>

namespace Quib
{
namespace
{

// The application as recorded input drives it during playback.
class AppReplayTarget : public DemoReplayTarget
{
public:
    explicit AppReplayTarget(QuibAppBase& app) : mApp(app) {}

    bool IsShuttingDown() override { return mApp.IsShuttingDown(); }
    void MouseMove(int x, int y) override { mApp.MouseMove(x, y); }
    void MouseDown(int x, int y, int clickCode) override { mApp.MouseDown(x, y, clickCode); }
    void MouseUp(int x, int y, int clickCode) override { mApp.MouseUp(x, y, clickCode); }
    void MouseWheel(int steps) override { mApp.MouseWheel(steps); }
    void KeyDown(uint32_t key) override { mApp.KeyDown(key); }
    void KeyUp(uint32_t key) override { mApp.KeyUp(key); }
    void KeyChar(uint8_t character) override { mApp.KeyChar(character); }

    void ReplayActivation(bool active) override
    {
        mApp.mInputQueue.mActive = active;
        mApp.mInputQueue.UpdateFocusState();
        if (active && !mApp.mIsWindowed)
            mApp.MarkAllDirty();
        if (mApp.IsUrlOpening() && !active)
            mApp.OnUrlOpened();
    }

    void ReplayMinimised(bool minimised) override
    {
        if (!mApp.IsShuttingDown() && minimised != mApp.mInputQueue.mMinimised)
        {
            mApp.mInputQueue.mMinimised = minimised;
            if (minimised)
            {
                mApp.Mute(true);
            }
            else
            {
                mApp.Unmute(true);
                mApp.MarkAllDirty();
            }
        }
        mApp.mInputQueue.UpdateFocusState();
    }

    void ReplayClose() override { mApp.Shutdown(); }

    void ReplayMouseInside(bool inside) override
    {
        if (!inside)
            mApp.MouseLeave();
        mApp.mInputQueue.mMouseInside = inside;
        mApp.ApplyCursor();
    }

    void ReplayDisplayMode(bool windowed, int refreshRate) override
    {
        mApp.mIsWindowed = windowed;
        mApp.mMainLoop.mRefreshRate = refreshRate;
    }

private:
    QuibAppBase& mApp;
};

} // namespace

void QuibAppBase::StartDemoRecording()
{
    mDemo.StartRecording(mRandSeed);
}

bool QuibAppBase::ReadDemoFile(std::string& error)
{
    if (!mDemo.ReadDemoFile(mCommandLine.mDemoFileName, mProductVersion, error))
        return false;
    mRandSeed = mDemo.RandomSeed();
    return true;
}

void QuibAppBase::RunTimersOnUpdates()
{
    SetTimerSource([this] { return int64_t(mMainLoop.mUpdateCount.load()) * mMainLoop.mFrameTime; });
}

void QuibAppBase::WriteDemoFile()
{
    if (mDemo.IsRecording())
        mDemo.WriteDemoFile(mCommandLine.mDemoFileName, mProductVersion);
}

void QuibAppBase::ReplayDemoEvents()
{
    AppReplayTarget target(*this);
    mDemo.ReplayDemoEvents(target);
}

void QuibAppBase::ReplayStartDisplayMode()
{
    AppReplayTarget target(*this);
    mDemo.ReplayStartDisplayMode(target);
}

void QuibAppBase::RecordMessage(const platform::Message& message)
{
    mDemo.RecordMessage(message, MainWindowId(), InvisibleWindowId(),
                        [this](int& x, int& y) { MapMouse(x, y); });
}

void QuibAppBase::RecordMouseEnterLeave(bool entered)
{
    mDemo.RecordMouseEnterLeave(entered);
}

void QuibAppBase::RecordLoadingDone()
{
    mDemo.RecordLoadingDone();
}

bool QuibAppBase::DemoReachedLoadingDone()
{
    return mDemo.LoadingFinishedInDemo();
}

bool QuibAppBase::DemoAllowsUpdate(int updateCount, bool loadingHandled)
{
    return !mPlaybackDialogOpen && mDemo.AllowsUpdate(updateCount, loadingHandled);
}

void QuibAppBase::HandlePlaybackKey(uint8_t key)
{
    // Typing into an open playback dialog is not a playback command.
    if (!mPlaybackDialogOpen)
        Quib::HandlePlaybackKey(key, mMainLoop, mDemo.DemoLength(), *this);
}

bool QuibAppBase::ProcessQueuedMessage()
{
    const bool more = mInputQueue.ProcessQueuedMessage();
    if (mPendingPlaybackDialog != 0 && !mPlaybackDialogOpen)
        RunPlaybackDialog();
    return more;
}

void QuibAppBase::RunPlaybackDialog()
{
    const int id = std::exchange(mPendingPlaybackDialog, 0);
    const int updateCount = mMainLoop.mUpdateCount;
    Dialog* dialog = nullptr;
    if (id == kMarkerListDialogId)
    {
        if (!mPlaybackListFont)
            mPlaybackListFont = MakeControlFont(12, 0);
        dialog = new MarkerListDialog(
            id, mPlaybackListFont.get(),
            MarkerListEntries(mDemo.Markers(), updateCount, mDemo.DemoLength(), mMainLoop.mFrameTime),
            updateCount, mMainLoop.mDemoTargetUpdate);
    }
    else
    {
        dialog = new JumpToTimeDialog(id, mRegKey, mDemo.DemoLength(), mMainLoop.mFrameTime,
                                      mMainLoop.mDemoTargetUpdate);
    }
    mPlaybackDialogOpen = true;
    AddDialog(dialog);
    dialog->WaitForAnswer(true);
    mPlaybackDialogOpen = false;
    mInputQueue.mLastInputTime = platform::tickCount();
}

// Outside results: once a real close has reached the input step, playback
// stops standing in for them.

void QuibAppBase::NoteWindowClosed()
{
    if (mInputQueue.mWindowClosed)
        mDemo.SetWindowClosed();
}

void QuibAppBase::RecordOrReplayBuffer(Buffer& buffer)
{
    NoteWindowClosed();
    mDemo.RecordOrReplayBuffer(buffer);
}

void QuibAppBase::RecordOrReplayString(std::string& text)
{
    NoteWindowClosed();
    mDemo.RecordOrReplayString(text);
}

void QuibAppBase::RecordOrReplayBool(bool& flag)
{
    NoteWindowClosed();
    mDemo.RecordOrReplayBool(flag);
}

bool QuibAppBase::ReadBufferFromFile(const std::string& path, Buffer& buffer, bool doNotRecord)
{
    NoteWindowClosed();
    return mDemo.ReadBufferFromFile(path, buffer, doNotRecord);
}

bool QuibAppBase::FileExists(const std::string& path)
{
    NoteWindowClosed();
    return mDemo.FileExists(path);
}

bool QuibAppBase::WriteBytesToFile(const std::string& path, const void* bytes, size_t count)
{
    NoteWindowClosed();
    return mDemo.WriteBytesToFile(path, bytes, count);
}

bool QuibAppBase::WriteBufferToFile(const std::string& path, const Buffer& buffer)
{
    return WriteBytesToFile(path, buffer.Bytes(), buffer.ByteCount());
}

void QuibAppBase::ToggleDemoSound()
{
    if (GetMusicVolume() != 0)
    {
        mDemoMusicVolume = mMusicVolume;
        SetMusicVolume(0);
    }
    else
    {
        SetMusicVolume(mDemoMusicVolume);
    }
    if (GetSfxVolume() != 0)
    {
        mDemoSfxVolume = mSfxVolume;
        SetSfxVolume(0);
    }
    else
    {
        SetSfxVolume(mDemoSfxVolume);
    }
}

} // namespace Quib
