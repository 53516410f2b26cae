#include "framework/app/InputQueue.h"

#include "framework/foundation/DebugPrintf.h"
#include "platform/Clock.h"
#include "platform/VirtualKeys.h"

namespace Quib
{

using namespace platform;

namespace
{

bool isKeyPress(uint32_t message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}
bool isKeyRelease(uint32_t message)
{
    return message == WM_KEYUP || message == WM_SYSKEYUP;
}

} // namespace

bool InputQueue::IsQueuedMessage(uint32_t message)
{
    switch (message)
    {
    case WM_MOVE:
    case WM_SIZE:
    case WM_CLOSE:
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_ACTIVATEAPP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}

bool InputQueue::Enqueue(const Message& message)
{
    if (!mQueue.empty())
    {
        const uint32_t last = mQueue.back().message;
        if (last == WM_CLOSE)
            return false;
        if (message.message == WM_TIMER && last == WM_TIMER)
            return false;
    }
    if (message.message == WM_SYSCOLORCHANGE || message.message == WM_DISPLAYCHANGE)
    {
        for (const Message& queued : mQueue)
            if (queued.message == WM_SYSCOLORCHANGE || queued.message == WM_DISPLAYCHANGE)
                return false;
    }
    mQueue.push_back(message);
    return true;
}

intptr_t InputQueue::MainWindowProc(const Message& message)
{
    if (mHost.FilterMessage(message))
        return 0;
    const uint32_t id = message.message;
    switch (id)
    {
    case WM_DESTROY:
        DebugPrintf("DESTROYED HWND: %d\r\n", static_cast<int>(message.window));
        return 0;
    case WM_ENABLE:
        mWindowDisabled = message.wParam == 0;
        return 0;
    case WM_PAINT:
        if (mHost.IsInitFinished() && !mHost.IsWindowHidden() && mHost.IsInRunLoop())
            mHost.Redraw();
        return 0;
    case WM_QUERYOPEN:
        if (mHost.AllowsRestore())
            return 1;
        mHost.MinimiseMainWindow();
        return 0;
    case WM_SYSCHAR:
        // A swallowed Alt combination is answered here; any other goes on to the desktop.
        return mHost.IsSwallowedAltKey(static_cast<uint8_t>(message.wParam)) ? 0 : 1;
    case WM_ENDSESSION:
        mHost.EndSession();
        return 0;
    case WM_INSTANCE_NOTIFY:
        OnOtherInstanceNotify(message.wParam, message.lParam);
        return 0;
    case WM_SETCURSOR:
        if (!mHost.IsWindowHidden())
            mHost.ApplyCursor();
        return 1;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCLBUTTONDOWN:
        mHost.ResetUpdateTimer();
        return 0;
    default:
        break;
    }
    if (!IsQueuedMessage(id))
        return 0;

    if (id == WM_ACTIVATEAPP && !mHost.IsPlayingDemo() && message.window == mHost.MainWindowId())
        mActive = message.wParam != 0;
    if (mHost.IsSystemDialogUp())
        return 0;

    const uint32_t key = static_cast<uint32_t>(message.wParam);
    if (isKeyPress(id) || isKeyRelease(id))
    {
        const bool down = isKeyPress(id);
        if (key == VK_CONTROL)
            mCtrlDown = down;
        else if (key == VK_MENU)
            mAltDown = down;
    }
    if (isKeyPress(id) && mHost.PreviewKeyDown(key, mCtrlDown, mAltDown))
        return 0;
    if (mHost.IsPlayingDemo())
    {
        if (id == WM_CHAR)
            mHost.HandlePlaybackKey(static_cast<uint8_t>(message.wParam));
        else if (id == WM_KEYDOWN)
            mHost.HandleDebugKey(key);
    }
    Enqueue(message);

    if (id == WM_SIZE)
        mMinimisedNow = message.wParam == SIZE_MINIMIZED;
    else if (id == WM_SYSKEYDOWN && key == VK_F4 && !(message.lParam & KF_REPEAT))
        return MainWindowProc({message.window, WM_CLOSE, 0, 0}); // Alt+F4 closes, as the desktop would
    else if (id == WM_CLOSE)
        mHost.OnCloseMessage();
    return 0;
}

bool InputQueue::ProcessQueuedMessage()
{
    if (mQueue.empty())
        return false;
    const Message message = mQueue.front();
    mQueue.pop_front();
    if (mHost.IsRecordingDemo() && !mHost.IsShuttingDown())
        mHost.RecordMessage(message);
    if (!mHost.IsPlayingDemo() || mHost.IsPlaybackDialogOpen())
        Handle(message);
    if (message.message == WM_CLOSE &&
        (message.window == mHost.MainWindowId() || message.window == mHost.InvisibleWindowId()))
    {
        mWindowClosed = true;
        mHost.Shutdown();
    }
    return !mQueue.empty();
}

void InputQueue::Handle(const Message& message)
{
    const bool main = message.window == mHost.MainWindowId();
    switch (message.message)
    {
    case WM_TIMER:
        if (!mHost.IsWindowHidden() && mHost.IsInRunLoop())
            HandleTimer();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HandleKeyDown(message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        mLastInputTime = mLastTimerTick;
        mHost.KeyUp(static_cast<uint32_t>(message.wParam));
        break;
    case WM_CHAR:
        mLastInputTime = mLastTimerTick;
        mHost.KeyChar(static_cast<uint8_t>(message.wParam & 0xFF));
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (!mHost.IsWindowHidden())
            HandleMouse(message);
        break;
    case WM_MOUSEWHEEL:
        mHost.MouseWheel(hiWordSigned(static_cast<intptr_t>(message.wParam)) / WHEEL_DELTA);
        break;
    case WM_MOVE:
        if (main && mHost.IsWindowedWanted())
        {
            int x = 0, y = 0;
            if (mHost.MainWindowNormalPosition(x, y))
            {
                mPreferredWindowX = x;
                mPreferredWindowY = y;
            }
        }
        break;
    case WM_SIZE:
        if (main && !mHost.IsShuttingDown())
            HandleSize(message);
        break;
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
        mHost.SystemColorsChanged();
        mHost.MarkAllDirty();
        break;
    case WM_ACTIVATEAPP:
        if (main && !mHost.IsWindowHidden() && !mHost.IsShuttingDown())
        {
            UpdateFocusState();
            if (mActive && !mHost.IsWindowedNow())
                mHost.MarkAllDirty();
            if (mHost.IsUrlOpening() && !mActive)
                mHost.OnUrlOpened();
        }
        break;
    default:
        break;
    }
}

void InputQueue::HandleTimer()
{
    const uint32_t now = tickCount();
    if (now - mLastTimerTick > 500)
        mTimerRunStart = now;
    mLastTimerTick = now;
    if (mHost.IsUrlOpening() && mHost.UrlOpenerRefused())
        mHost.OnUrlOpenFailed();
    if (mHost.IsUrlOpening() && now - mTimerRunStart > 5000)
    {
        const uint32_t sinceOpened = now - mHost.UrlOpenTime();
        if (sinceOpened > 8000 && !mActive)
            mHost.OnUrlOpened();
        else if (sinceOpened > 12000 && mActive)
            mHost.OnUrlOpenFailed();
    }
    const bool inside = mHost.IsMouseOverClient();
    if (inside != mMouseInside)
    {
        if (mHost.IsRecordingDemo() && !mHost.IsShuttingDown())
            mHost.RecordMouseEnterLeave(inside);
        if (!inside)
            mHost.MouseLeave();
        mMouseInside = inside;
        mHost.ApplyCursor();
    }
}

void InputQueue::HandleKeyDown(const Message& message)
{
    mLastInputTime = mLastTimerTick;
    const uint32_t key = static_cast<uint32_t>(message.wParam);
    if (message.message == WM_SYSKEYDOWN && key == VK_RETURN && !mHost.IsFullScreenForced() &&
        !mHost.IsFullScreenFailed())
    {
        mHost.SetWindowedMode(!mHost.IsWindowedWanted());
        ClearKeyStates();
        return;
    }
    if (key == 'D' && mHost.IsKeyDown(VK_CONTROL) && mHost.IsKeyDown(VK_MENU))
    {
        mHost.PlayDebugToggleSound();
        mDebugKeysEnabled = !mDebugKeysEnabled;
    }
    if (!(mDebugKeysEnabled && mHost.HandleDebugKey(key)))
        mHost.KeyDown(key);
}

void InputQueue::HandleMouse(const Message& message)
{
    int x = loWordSigned(message.lParam);
    int y = hiWordSigned(message.lParam);
    mHost.MapMouse(x, y);
    mLastInputTime = mLastTimerTick;
    mHost.MouseMove(x, y);
    if (!mMouseInside)
    {
        if (mHost.IsRecordingDemo() && !mHost.IsShuttingDown())
            mHost.RecordMouseEnterLeave(true);
        mMouseInside = true;
        mHost.ApplyCursor();
    }
    const uintptr_t held = message.wParam;
    switch (message.message)
    {
    case WM_LBUTTONDOWN:
        mHost.CaptureMouse(true);
        mHost.MouseDown(x, y, 1);
        break;
    case WM_LBUTTONDBLCLK:
        mHost.CaptureMouse(true);
        mHost.MouseDown(x, y, 2);
        break;
    case WM_RBUTTONDOWN:
        mHost.CaptureMouse(true);
        mHost.MouseDown(x, y, -1);
        break;
    case WM_RBUTTONDBLCLK:
        mHost.CaptureMouse(true);
        mHost.MouseDown(x, y, -2);
        break;
    case WM_MBUTTONDOWN:
        mHost.CaptureMouse(true);
        mHost.MouseDown(x, y, 3);
        break;
    case WM_LBUTTONUP:
        if ((held & (MK_RBUTTON | MK_MBUTTON)) == 0)
            mHost.CaptureMouse(false);
        mHost.MouseUp(x, y, 1);
        break;
    case WM_RBUTTONUP:
        if ((held & (MK_LBUTTON | MK_MBUTTON)) == 0)
            mHost.CaptureMouse(false);
        mHost.MouseUp(x, y, -1);
        break;
    case WM_MBUTTONUP:
        if ((held & (MK_LBUTTON | MK_RBUTTON)) == 0)
            mHost.CaptureMouse(false);
        mHost.MouseUp(x, y, 3);
        break;
    default:
        break;
    }
}

void InputQueue::HandleSize(const Message& message)
{
    const bool minimised = message.wParam == SIZE_MINIMIZED;
    if (minimised != mMinimised)
    {
        if (minimised)
        {
            if (mMuteOnDeactivation)
                mHost.Mute(true);
        }
        else
        {
            if (mMuteOnDeactivation)
                mHost.Unmute(true);
            mHost.MarkAllDirty();
        }
        mMinimised = minimised;
    }
    UpdateFocusState();
    if (message.wParam == SIZE_MAXIMIZED)
        mHost.SetWindowedMode(false);
}

void InputQueue::UpdateFocusState()
{
    const bool focused = mActive && !mMinimised;
    if (focused == mFocused)
        return;
    mFocused = focused;
    if (focused)
    {
        if (mMuteOnDeactivation)
            mHost.Unmute(true);
        mHost.GotFocus();
        mHost.OnActivated();
    }
    else
    {
        if (mMuteOnDeactivation)
            mHost.Mute(true);
        mHost.LostFocus();
        mHost.OnDeactivated();
        mHost.CaptureMouse(false);
        mHost.ReleaseHeldMouseButtons();
    }
}

void InputQueue::ClearKeyStates()
{
    mHost.ClearKeyFlags();
    mCtrlDown = false;
    mAltDown = false;
}

void InputQueue::OnOtherInstanceNotify(uintptr_t wParam, intptr_t lParam)
{
    (void)lParam;
    if (wParam == 0)
        mHost.BringMainWindowToFront();
}

} // namespace Quib
