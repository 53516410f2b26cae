#pragma once

#include "framework/widgets/WidgetHost.h"

#include <array>

namespace Quib
{

class Image;

// Cursor numbers; the hand, the dragging hand and the text beam (1 to 3) are
// the widgets' own (WidgetCursor).
enum CursorNumber
{
    CURSOR_POINTER = 0,
    CURSOR_CIRCLE_SLASH = 4,
    CURSOR_SIZEALL = 5,
    CURSOR_SIZENESW = 6,
    CURSOR_SIZENS = 7,
    CURSOR_SIZENWSE = 8,
    CURSOR_SIZEWE = 9,
    CURSOR_WAIT = 10,
    CURSOR_NONE = 11,
    CURSOR_CUSTOM = 12,
    NUM_CURSORS = 13
};

// What choosing a cursor needs of the application, the window and the display.
class CursorHost
{
public:
    virtual ~CursorHost() = default;
    virtual bool HasDisplay() = 0;
    virtual bool IsWindowHidden() = 0;
    virtual bool IsMouseInside() = 0;
    virtual bool IsPlayingDemo() = 0;
    // The mouse lies within the application's rectangle on the desktop.
    virtual bool IsMouseOverApplication() = 0;
    // The display's software cursor image (null clears it); true when it changed.
    virtual bool ChangeCursorImage(Image* image) = 0;
    // The desktop's cursor: one of the numbers 0 to 10, or none.
    virtual void ShowDesktopCursor(int number) = 0;
    virtual void HideDesktopCursor() = 0;
    // The next frame is presented even if nothing was drawn.
    virtual void ForceRedraw() = 0;
};

// Chooses between the desktop's cursors and the software cursor images for
// the current cursor number.
class CursorSelection
{
public:
    explicit CursorSelection(CursorHost& host) : mHost(host) {}

    // Numbers outside 0..12 are ignored.
    void SelectCursor(int number);
    // The image is not owned.
    void SetCustomCursorImage(int number, Image* image);
    void SetCustomCursorsEnabled(bool enabled);
    void ApplyCursor();

    int mCursorNumber = CURSOR_POINTER;
    std::array<Image*, NUM_CURSORS> mCursorImages{};
    bool mCustomCursorsEnabled = false;

private:
    CursorHost& mHost;
};

} // namespace Quib
