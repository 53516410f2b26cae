#include "framework/app/QuibAppBase.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/MessagePump.h"
#include "platform/Window.h"

namespace Quib
{

// Loading thread.

void QuibAppBase::StartLoadingThread()
{
    if (mLoading.mStarted)
        return;
    mLoadingThread = std::make_unique<LoadingThread>(
        mLoading, [this] { RunLoadingThread(); }, mTimeLoaded);
    mLoadingThread->StartLoadingThread();
}

void QuibAppBase::WaitForBackgroundLoad()
{
    if (mLoadingThread)
        mLoadingThread->WaitForBackgroundLoad();
}

double QuibAppBase::GetLoadingProgress()
{
    return mLoading.GetLoadingProgress();
}

// Cursor thread.

void QuibAppBase::StartCursorThread()
{
    mCursorThread.StartCursorThread();
}

void QuibAppBase::CursorPosition(int& x, int& y)
{
    if (IsPlayingDemo())
        mDemo.RecordedMousePosition(x, y);
    else
        platform::lastMousePosition(x, y);
}

void QuibAppBase::DisplayCursorPosition(int& x, int& y)
{
    x = mDDInterface ? mDDInterface->mCursorX.load() : 0;
    y = mDDInterface ? mDDInterface->mCursorY.load() : 0;
}

void QuibAppBase::MoveCursorNow(int x, int y)
{
    if (mDDInterface)
        mDDInterface->MoveCursor(x, y);
}

void QuibAppBase::SetWantedCursorPosition(int x, int y)
{
    if (mDDInterface)
        mDDInterface->SetWantedCursorPosition(x, y);
}

// Cursors.

void QuibAppBase::SelectCursor(int number)
{
    mCursorSelection.SelectCursor(number);
}

void QuibAppBase::SetCustomCursorImage(int number, Image* image)
{
    mCursorSelection.SetCustomCursorImage(number, image);
}

void QuibAppBase::WarpPointer(int clientX, int clientY)
{
    if (mMainWindow)
        mMainWindow->warpPointer(clientX, clientY);
}

void QuibAppBase::SetCustomCursorsEnabled(bool enabled)
{
    mCursorSelection.SetCustomCursorsEnabled(enabled);
}

void QuibAppBase::ApplyCursor()
{
    mCursorSelection.ApplyCursor();
}

bool QuibAppBase::ChangeCursorImage(Image* image)
{
    const bool changed = mDDInterface != nullptr && mDDInterface->ChangeCursorImage(image);
    // The image may have been put on the desktop just before it was let go.
    if (changed && image == nullptr && mShowingImageCursor)
    {
        platform::showCursor(false);
        mShowingImageCursor = false;
    }
    return changed;
}

void QuibAppBase::ShowDesktopCursor(int number)
{
    static constexpr platform::SystemCursor kShapes[] = {
        platform::SystemCursor::Arrow,    platform::SystemCursor::Hand,   platform::SystemCursor::Hand,
        platform::SystemCursor::IBeam,    platform::SystemCursor::No,     platform::SystemCursor::SizeAll,
        platform::SystemCursor::SizeNESW, platform::SystemCursor::SizeNS, platform::SystemCursor::SizeNWSE,
        platform::SystemCursor::SizeWE,   platform::SystemCursor::Wait};
    if (number < 0 || number > CURSOR_WAIT)
    {
        platform::showCursor(false);
        return;
    }
    const platform::Cursor* cursor = &mSystemCursor;
    if (number == CURSOR_HAND && mHandCursor.isValid())
        cursor = &mHandCursor;
    else if (number == CURSOR_DRAGGING && mDraggingCursor.isValid())
        cursor = &mDraggingCursor;
    else
        mSystemCursor = platform::Cursor::system(kShapes[number]);
    platform::setCursor(*cursor);
    platform::showCursor(true);
    mShowingImageCursor = false;
}

void QuibAppBase::HideDesktopCursor()
{
    Image* image = mDDInterface ? mDDInterface->GetCursorImage() : nullptr;
    if (image == nullptr)
    {
        platform::showCursor(false);
        return;
    }
    ShowCursorImage(image);
}

// The software cursor is drawn by the desktop: its image becomes a colour
// cursor whose hot spot is the image's centre, where the cursor area centres it.
void QuibAppBase::ShowCursorImage(Image* image)
{
    auto* memoryImage = dynamic_cast<MemoryImage*>(image);
    if (memoryImage == nullptr)
    {
        platform::showCursor(false);
        return;
    }
    if (image != mImageCursorSource || !mImageCursor.isValid())
    {
        const uint32_t* bits = memoryImage->GetBits();
        if (bits == nullptr)
            return;
        mImageCursor = platform::Cursor::fromImage(bits, image->GetWidth(), image->GetHeight(),
                                                   image->GetWidth() / 2, image->GetHeight() / 2);
        mImageCursorSource = image;
    }
    platform::setCursor(mImageCursor);
    platform::showCursor(mImageCursor.isValid());
    mShowingImageCursor = mImageCursor.isValid();
}

} // namespace Quib
