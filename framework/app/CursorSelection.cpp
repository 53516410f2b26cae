#include "framework/app/CursorSelection.h"

namespace Quib
{

namespace
{

bool validNumber(int number)
{
    return number >= 0 && number < NUM_CURSORS;
}

} // namespace

void CursorSelection::SelectCursor(int number)
{
    if (!validNumber(number))
        return;
    mCursorNumber = number;
    ApplyCursor();
}

void CursorSelection::SetCustomCursorImage(int number, Image* image)
{
    if (!validNumber(number))
        return;
    mCursorImages[number] = image;
    ApplyCursor();
}

void CursorSelection::SetCustomCursorsEnabled(bool enabled)
{
    mCustomCursorsEnabled = enabled;
    ApplyCursor();
}

void CursorSelection::ApplyCursor()
{
    if (!mHost.HasDisplay())
        return;
    if (mHost.IsWindowHidden() || !mHost.IsMouseInside())
    {
        mHost.ShowDesktopCursor(CURSOR_POINTER);
        return;
    }
    Image* image = mCursorImages[mCursorNumber];
    const bool playing = mHost.IsPlayingDemo();
    if (image && (playing || mCustomCursorsEnabled || mCursorNumber == CURSOR_CUSTOM))
    {
        if (mHost.ChangeCursorImage(image))
            mHost.ForceRedraw();
        if (!playing)
            mHost.HideDesktopCursor();
        else
            mHost.ShowDesktopCursor(mHost.IsMouseOverApplication() ? CURSOR_CIRCLE_SLASH : CURSOR_POINTER);
        return;
    }
    if (mCursorNumber == CURSOR_NONE || mCursorNumber == CURSOR_CUSTOM)
        mHost.HideDesktopCursor();
    else
        mHost.ShowDesktopCursor(mCursorNumber);
    if (mHost.ChangeCursorImage(nullptr))
        mHost.ForceRedraw();
}

} // namespace Quib
