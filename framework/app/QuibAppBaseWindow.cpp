#include "framework/app/QuibAppBase.h"
#include "framework/app/WindowPlacement.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/resources/SoundManager.h"
#include "framework/services/ScreenSaver.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/MessagePump.h"
#include "platform/Messages.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

namespace Quib
{
namespace
{

// The window timer that keeps input timing alive while the loop is blocked.
constexpr uint32_t kUpdateTimerId = 100;

} // namespace

bool QuibAppBase::MainWindowOpen() const
{
    return mMainWindow != nullptr && mMainWindow->isOpen();
}

uint32_t QuibAppBase::MainWindowId()
{
    return MainWindowOpen() ? mMainWindow->id() : 0;
}

void QuibAppBase::StartTimer()
{
    platform::setTimer(MainWindowId(), kUpdateTimerId, uint32_t(std::max(mMainLoop.mFrameTime, 1)));
}

void QuibAppBase::CreateMainWindow()
{
    const bool windowed = mCommandLine.mPlayDemo || mIsWindowed;
    // The new window exists before the old one goes, so that the desktop
    // connection (and every cursor made on it) lives through the switch.
    auto window = std::make_unique<platform::Window>();
    window->create(mTitle, mWidth, mHeight, !windowed, mMaximiseBoxAllowed);
    if (mMainWindow)
    {
        platform::killTimer(mMainWindow->id(), kUpdateTimerId);
        mWidgetManager->mDrawImage = nullptr;
        if (mDDInterface)
            mDDInterface->ReleaseSurfaces();
    }
    mMainWindow = std::move(window);
    if (windowed)
        PlaceWindowedMainWindow(*mMainWindow, mInputQueue.mPreferredWindowX, mInputQueue.mPreferredWindowY);
    mIsPhysWindowed = windowed;
    platform::setMainMessageWindow(MainWindowId());

    if (!mDDInterface)
    {
        mDDInterface = std::make_unique<DDInterface>(this);
        mDDInterface->mDrawSoftwareCursor = mCommandLine.mPlayDemo;
    }
    const int result = InitDisplay();

    if (mIsWindowed && result == DDInterface::RESULT_INVALID_COLORDEPTH)
    {
        if (mFullScreenFailed)
        {
            ShowError(mStringTable.LookupString("PLEASE_SET_COLOR_DEPTH",
                                                "Please set your desktop color depth to 16 bit."));
            RestoreDisplayAndExit(1);
        }
        mForceFullscreen = true;
        SetWindowedMode(false);
        return;
    }
    if (!mIsPhysWindowed &&
        (result == DDInterface::RESULT_EXCLUSIVE_FAIL || result == DDInterface::RESULT_DISPCHANGE_FAIL))
    {
        mFullScreenFailed = true;
        SetWindowedMode(true);
        return;
    }
    if (result == DDInterface::RESULT_3D_FAIL || (result != DDInterface::RESULT_OK && mDDInterface->mIs3D))
    {
        Set3DMode(false, true);
        return;
    }
    if (result != DDInterface::RESULT_OK)
    {
        ShowError(mStringTable.LookupString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                  DDInterface::ResultName(result) + " " + mDDInterface->mErrorString);
        RestoreDisplayAndExit(1);
    }

    const bool wasActive = mInputQueue.mActive;
    mInputQueue.mActive = mMainWindow->hasFocus() || !mMainWindow->isShown();
    mInputQueue.mMinimisedNow = false;
    if (mInputQueue.mMinimised)
    {
        if (mInputQueue.mMuteOnDeactivation)
            Unmute(true);
        mInputQueue.mMinimised = false;
        mInputQueue.UpdateFocusState();
    }
    if (wasActive != mInputQueue.mActive)
        mInputQueue.UpdateFocusState();
    RefreshImagesAfterDisplayReset();
    mWidgetManager->mDrawImage = mDDInterface->GetDrawSurfaceImage();
    MarkAllDirty();
    StartTimer();
}

int QuibAppBase::InitDisplay()
{
    OnDisplayModeChange();
    ReleaseImageDisplayData();
    const int result = mDDInterface->InitDisplay(mMainWindow.get(), mIsPhysWindowed);
    RecordDisplayMode();
    if (result != DDInterface::RESULT_OK)
        return result;
    mDrawArea = Rect((mWidth - mDDInterface->mDisplayWidth) / 2, (mHeight - mDDInterface->mDisplayHeight) / 2,
                     mDDInterface->mDisplayWidth, mDDInterface->mDisplayHeight);
    mWidgetManager->SetMouseMapping(mDrawArea, mDDInterface->mPresentationRect);
    AfterDisplayModeChange();
    return DDInterface::RESULT_OK;
}

void QuibAppBase::RecordDisplayMode()
{
    // A demo being played keeps the refresh rate it was recorded with, which its timing follows.
    if (!IsPlayingDemo())
        mMainLoop.mRefreshRate = int(mDDInterface->mRefreshRate);
    mDemo.RecordDisplayMode(mIsWindowed, mMainLoop.mRefreshRate);
}

// Screen mode.

void QuibAppBase::SetScreenMode(bool windowed, bool is3D, bool force)
{
    if (mForceFullscreen)
        windowed = false;
    if (windowed == mIsWindowed && !force)
    {
        Set3DMode(is3D, true);
        return;
    }
    if (mDDInterface && is3D != mDDInterface->mIs3D)
    {
        mIs3DSwitched = true;
        mDDInterface->mIs3D = is3D;
    }
    mIsWindowed = windowed;
    CreateMainWindow();
    if (MainWindowOpen())
    {
        mMainWindow->show(!IsUrlOpening());
        PlaceWindowedMainWindow(*mMainWindow, mInputQueue.mPreferredWindowX, mInputQueue.mPreferredWindowY);
    }
    if (mSoundManager)
        mSoundManager->AttachToWindow(mMainWindow.get(), !mIsPhysWindowed);
    ResetUpdateTimer();
}

void QuibAppBase::SetWindowedMode(bool windowed)
{
    SetScreenMode(windowed, Is3DEnabled(), false);
}

void QuibAppBase::ResetScreenMode()
{
    SetScreenMode(mIsWindowed, Is3DEnabled(), true);
}

void QuibAppBase::SetDrawInVideoMemory(bool on)
{
    if (on == mDrawInVideoMemory)
        return;
    mDrawInVideoMemory = on;
    if (!mDDInterface)
        return;
    mDDInterface->UseVideoMemoryDrawSurface(on);
    mWidgetManager->mDrawImage = mDDInterface->GetDrawSurfaceImage();
    MarkAllDirty();
}

// The loading thread creates and deletes images while the screen mode changes,
// so every walk of the image set holds the display's lock.
void QuibAppBase::ReleaseImageDisplayData()
{
    CriticalSectionGuard guard(ImageLock());
    for (MemoryImage* image : mMemoryImageSet)
        image->DeleteDisplayFormatCaches();
}

void QuibAppBase::RefreshImagesAfterDisplayReset()
{
    CriticalSectionGuard guard(ImageLock());
    for (MemoryImage* image : mMemoryImageSet)
        image->RebuildStorage();
}

void QuibAppBase::ReleaseImageExtraData()
{
    CriticalSectionGuard guard(ImageLock());
    for (MemoryImage* image : mMemoryImageSet)
        image->DeleteAllCaches();
}

bool QuibAppBase::Is3DEnabled()
{
    return mDDInterface != nullptr && mDDInterface->mIs3D;
}

bool QuibAppBase::Is3DSupported()
{
    return mDDInterface && mDDInterface->mD3DTester && mDDInterface->mD3DTester->mFailureReason.empty();
}

bool QuibAppBase::Is3DRecommended()
{
    return Is3DSupported() && mDDInterface->mD3DTester->mWarning.empty();
}

void QuibAppBase::Set3DMode(bool on, bool recreate)
{
    if (!mDDInterface || on == mDDInterface->mIs3D)
        return;
    mIs3DSwitched = true;
    mDDInterface->mIs3D = on;
    if (!recreate)
        return;
    const int result = InitDisplay();
    if (result != DDInterface::RESULT_OK)
    {
        if (on)
        {
            Set3DMode(false, true);
            return;
        }
        ShowError(mStringTable.LookupString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                  DDInterface::ResultName(result) + " " + mDDInterface->mErrorString);
        RestoreDisplayAndExit(1);
    }
    RefreshImagesAfterDisplayReset();
    mWidgetManager->mDrawImage = mDDInterface->GetDrawSurfaceImage();
    mWidgetManager->MarkTreeDirty();
}

bool QuibAppBase::ToggleDirect3D()
{
    Set3DMode(!Is3DEnabled(), true);
    return Is3DEnabled();
}

// Window and input.

void QuibAppBase::BringMainWindowToFront()
{
    if (MainWindowOpen())
        mMainWindow->bringToFront();
}

void QuibAppBase::MinimiseMainWindow()
{
    if (MainWindowOpen())
        mMainWindow->minimise();
}

bool QuibAppBase::AllowsRestore()
{
    return !mInputQueue.mWindowDisabled;
}

bool QuibAppBase::IsSwallowedAltKey(uint8_t character)
{
    return character == '\r' || character == 'r' || character == 'R';
}

bool QuibAppBase::MainWindowNormalPosition(int& x, int& y)
{
    if (!MainWindowOpen() || mMainWindow->isMinimised() || mMainWindow->isFullScreen())
        return false;
    const platform::WindowRect outer = mMainWindow->outerFrame();
    x = outer.x;
    y = outer.y;
    return true;
}

bool QuibAppBase::IsMouseOverClient()
{
    return MainWindowOpen() && mMainWindow->mouseInside();
}

bool QuibAppBase::IsMouseOverApplication()
{
    return IsMouseOverClient();
}

void QuibAppBase::CaptureMouse(bool capture)
{
    // The desktop keeps sending a held button's mouse events to the window.
    (void)capture;
}

void QuibAppBase::KeyDown(uint32_t key)
{
    mWidgetManager->HandleKeyDown(int(key));
}

void QuibAppBase::KeyUp(uint32_t key)
{
    mWidgetManager->HandleKeyUp(int(key));
}

void QuibAppBase::KeyChar(uint8_t character)
{
    mWidgetManager->HandleChar(character);
}

bool QuibAppBase::IsKeyDown(uint32_t key)
{
    return mWidgetManager->IsKeyDown(int(key));
}

void QuibAppBase::ClearKeyFlags()
{
    mWidgetManager->mKeyDown.fill(false);
}

bool QuibAppBase::IsShiftDown()
{
    return IsKeyDown(platform::VK_SHIFT);
}

bool QuibAppBase::IsCtrlDown()
{
    return IsKeyDown(platform::VK_CONTROL);
}

bool QuibAppBase::IsAltDown()
{
    return IsKeyDown(platform::VK_MENU);
}

void QuibAppBase::MapMouse(int& x, int& y)
{
    // The desktop may resize the window at any time; the image follows it.
    if (MainWindowOpen() && mDDInterface && mDDInterface->mInitialized)
    {
        const platform::WindowRect shown = mMainWindow->presentationRect();
        const Rect presentation(shown.x, shown.y, shown.width, shown.height);
        if (!(presentation == mDDInterface->mPresentationRect))
        {
            mDDInterface->mPresentationRect = presentation;
            mWidgetManager->SetMouseMapping(mDrawArea, presentation);
        }
    }
    mWidgetManager->MapMousePosition(x, y);
}

void QuibAppBase::MouseMove(int x, int y)
{
    mWidgetManager->HandleMouseMove(x, y);
}

void QuibAppBase::MouseDown(int x, int y, int clickCode)
{
    mWidgetManager->HandleMouseDown(x, y, clickCode);
}

void QuibAppBase::MouseUp(int x, int y, int clickCode)
{
    mWidgetManager->HandleMouseUp(x, y, clickCode);
}

void QuibAppBase::MouseWheel(int delta)
{
    mWidgetManager->HandleMouseWheel(delta);
}

void QuibAppBase::MouseLeave()
{
    mWidgetManager->HandleMouseExit();
}

void QuibAppBase::SystemColorsChanged()
{
    // The screen's colours come from the frames alone.
}

void QuibAppBase::MarkAllDirty()
{
    mWidgetManager->MarkTreeDirty();
}

void QuibAppBase::GotFocus()
{
    mWidgetManager->OnAppFocusGained();
}

void QuibAppBase::LostFocus()
{
    mWidgetManager->OnAppFocusLost();
}

void QuibAppBase::ReleaseHeldMouseButtons()
{
    mWidgetManager->ReleaseHeldButtons();
}

bool QuibAppBase::PreviewKeyDown(uint32_t key, bool ctrl, bool alt)
{
    (void)key;
    (void)ctrl;
    (void)alt;
    return false;
}

bool QuibAppBase::HandleDebugKey(uint32_t key)
{
    return Quib::HandleDebugKey(key, mMainLoop, *this);
}

void QuibAppBase::ToggleFpsOverlay(bool stepKind)
{
    if (stepKind)
    {
        mFpsOverlayKind = (mFpsOverlayKind + 1) % 2;
        mShowFps = true;
    }
    else
    {
        mShowFps = !mShowFps;
    }
    if (mShowFps)
        mOverlays.RestartFps();
    MarkAllDirty();
}

// Message boxes.

void QuibAppBase::BeginSystemDialog()
{
    mSystemDialogs.BeginSystemDialog();
}

void QuibAppBase::EndSystemDialog()
{
    mSystemDialogs.EndSystemDialog();
}

int QuibAppBase::ShowMessageBoxWide(const std::wstring& text, const std::wstring& caption, uint32_t flags)
{
    return mSystemDialogs.ShowMessageBoxWide(text, caption, flags);
}

int QuibAppBase::ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags)
{
    return mSystemDialogs.ShowMessageBox(text, caption, flags);
}

void QuibAppBase::ShowMessageBox(const std::string& text, const std::string& caption)
{
    ShowMessageBox(text, caption, 0);
}

void QuibAppBase::ShowErrorWide(const std::wstring& text)
{
    mSystemDialogs.ShowErrorWide(text);
}

void QuibAppBase::ShowError(const std::string& text)
{
    mSystemDialogs.ShowError(text);
}

bool QuibAppBase::FilterMessage(const platform::Message& message)
{
    return IsScreenSaverMode() && mScreenSaverFilter.Filter(message, MainWindowId(), platform::tickCount());
}

void QuibAppBase::WriteScreenSaverErrorLog(const std::string& text)
{
    // A screen saver must never stop on a box: its errors collect in a file.
    WriteScreenSaverErrorLine("ScrError.txt", text, platform::localTimeOfDayText(), platform::tickCount());
}

bool QuibAppBase::ShowDesktopSurface()
{
    // Full screen is a borderless window in the desktop's mode: the box shows over it.
    return mDDInterface != nullptr;
}

void QuibAppBase::SetSystemCaretPos(int x, int y)
{
    if (MainWindowOpen())
        mMainWindow->setTextInputCaret(x - mDrawArea.mX, y - mDrawArea.mY);
}

// Clipboard.

void QuibAppBase::CopyToClipboard(const std::string& text)
{
    mDesktop.CopyToClipboard(text);
}

std::string QuibAppBase::GetClipboardText()
{
    NoteWindowClosed();
    return mDesktop.GetClipboardText();
}

} // namespace Quib
