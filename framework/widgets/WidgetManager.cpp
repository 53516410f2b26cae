#include "framework/widgets/WidgetManager.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetHost.h"
#include "platform/VirtualKeys.h"

namespace Quib
{

namespace
{

constexpr int kTab = int(platform::VK_TAB);
constexpr int kControl = int(platform::VK_CONTROL);

} // namespace

WidgetManager::WidgetManager(WidgetHost* app) : mApp(app)
{
    mWidgetManager = this;
}

WidgetManager::~WidgetManager()
{
    // Children outlive the manager as detached widgets, holding no pointer to it.
    RemoveAllChildren(false, false);
}

int WidgetManager::ButtonBit(int clickCode)
{
    if (clickCode == CLICK_MIDDLE)
        return MOUSE_BIT_MIDDLE;
    return clickCode < 0 ? MOUSE_BIT_RIGHT : MOUSE_BIT_LEFT;
}

void WidgetManager::ForgetWidget(Widget* widget)
{
    if (widget == nullptr)
        return;
    if (mOverWidget == widget)
    {
        mOverWidget = nullptr;
        SendMouseLeave(widget);
    }
    if (mLastDownWidget == widget)
    {
        mLastDownWidget = nullptr;
        int mask = mDownButtons;
        mDownButtons = 0;
        SendButtonsUp(widget, mask);
    }
    if (mFocusWidget == widget)
    {
        mFocusWidget = nullptr;
        widget->OnFocusLost();
    }
    if (mBaseModalWidget == widget)
        mBaseModalWidget = nullptr;
    if (mDefaultTab == widget)
        mDefaultTab = nullptr;
    if (mPopupWidget == widget)
        mPopupWidget = nullptr;
    for (OverlayRequest& request : mOverlays)
        if (request.mWidget == widget)
            request.mWidget = nullptr;
}

void WidgetManager::SetFocusWidget(Widget* widget)
{
    if (widget != nullptr && widget == mFocusWidget)
        return;
    Widget* old = mFocusWidget;
    mFocusWidget = nullptr;
    if (old != nullptr)
        old->OnFocusLost();
    if (widget != nullptr && widget->mWidgetManager == this)
    {
        mFocusWidget = widget;
        if (mHasFocus)
            widget->OnFocusGained();
    }
}

void WidgetManager::MapMousePosition(int& x, int& y) const
{
    if (mMouseSourceRect.mWidth != 0)
        x = int((long long)(x - mMouseSourceRect.mX) * mMouseDestRect.mWidth / mMouseSourceRect.mWidth +
                mMouseDestRect.mX);
    if (mMouseSourceRect.mHeight != 0)
        y = int((long long)(y - mMouseSourceRect.mY) * mMouseDestRect.mHeight / mMouseSourceRect.mHeight +
                mMouseDestRect.mY);
}

void WidgetManager::SetMouseMapping(const Rect& destination, const Rect& source)
{
    mMouseDestRect = destination;
    mMouseSourceRect = source;
    mWidth = destination.mWidth + 2 * destination.mX;
    mHeight = destination.mHeight + 2 * destination.mY;
}

int WidgetManager::GetFocusAdjustedFlags() const
{
    return mHasFocus ? mWidgetFlags : mLostFocusMasks.Apply(mWidgetFlags);
}

Widget* WidgetManager::FindWidgetAt(int x, int y, int* localX, int* localY)
{
    bool found = false;
    return FindChildAt(x, y, GetFocusAdjustedFlags(), found, localX, localY);
}

Widget* WidgetManager::FindEnabledWidgetAt(int x, int y, int* localX, int* localY)
{
    Widget* widget = FindWidgetAt(x, y, localX, localY);
    return widget != nullptr && widget->mDisabled ? nullptr : widget;
}

void WidgetManager::SendMouseEnter(Widget* widget)
{
    widget->mIsOver = true;
    widget->OnMouseEnter();
    if (widget->mDoHandCursor)
        widget->ShowHandCursor(true);
}

void WidgetManager::SendMouseLeave(Widget* widget)
{
    widget->mIsOver = false;
    widget->OnMouseLeave();
    if (widget->mDoHandCursor)
        widget->ShowHandCursor(false);
}

void WidgetManager::SendButtonsUp(Widget* widget, int mask)
{
    static constexpr int kBits[] = {MOUSE_BIT_LEFT, MOUSE_BIT_RIGHT, MOUSE_BIT_MIDDLE};
    static constexpr int kCodes[] = {CLICK_LEFT, CLICK_RIGHT, CLICK_MIDDLE};
    for (int i = 0; i < 3; ++i)
    {
        if (!(mask & kBits[i]))
            continue;
        widget->mIsDown = false;
        WidgetPoint origin = widget->GetAbsolutePosition();
        widget->OnMouseUp(mLastMouseX - origin.mX, mLastMouseY - origin.mY, kCodes[i]);
    }
}

void WidgetManager::ReleaseHeldButtons()
{
    if (mLastDownWidget == nullptr || mDownButtons == 0)
        return;
    Widget* widget = mLastDownWidget;
    int mask = mDownButtons;
    mDownButtons = 0;
    mLastDownWidget = nullptr;
    SendButtonsUp(widget, mask);
}

void WidgetManager::OnAppFocusGained()
{
    if (mHasFocus)
        return;
    mHasFocus = true;
    if (mFocusWidget != nullptr)
        mFocusWidget->OnFocusGained();
}

void WidgetManager::OnAppFocusLost()
{
    if (!mHasFocus)
        return;
    mActualDownButtons = 0;
    for (int key = 0; key < kKeyCount; ++key)
        if (mKeyDown[size_t(key)])
            HandleKeyUp(key);
    mHasFocus = false;
    if (mFocusWidget != nullptr)
        mFocusWidget->OnFocusLost();
}

void WidgetManager::DismissPopupWidget()
{
    if (mPopupWidget == nullptr)
        return;
    Widget* popup = mPopupWidget;
    mPopupWidget = nullptr;
    RemoveChild(popup);
}

void WidgetManager::TrackMousePosition(int x, int y)
{
    int previousX = mLastMouseX;
    int previousY = mLastMouseY;
    mLastMouseX = x;
    mLastMouseY = y;
    int localX = 0;
    int localY = 0;
    Widget* widget = FindEnabledWidgetAt(x, y, &localX, &localY);
    if (widget != mOverWidget)
    {
        Widget* old = mOverWidget;
        mOverWidget = nullptr;
        if (old != nullptr)
            SendMouseLeave(old);
        mOverWidget = widget;
        if (widget != nullptr)
        {
            SendMouseEnter(widget);
            widget->OnMouseMove(localX, localY);
        }
    }
    else if ((x != previousX || y != previousY) && widget != nullptr)
    {
        widget->OnMouseMove(localX, localY);
    }
}

void WidgetManager::RecheckMouseOver()
{
    if (mLastDownWidget != nullptr)
    {
        if (mOverWidget != nullptr && FindEnabledWidgetAt(mLastMouseX, mLastMouseY) != mLastDownWidget)
        {
            Widget* old = mOverWidget;
            mOverWidget = nullptr;
            SendMouseLeave(old);
        }
        return;
    }
    if (mMouseIn)
        TrackMousePosition(mLastMouseX, mLastMouseY);
}

void WidgetManager::HandleMouseDown(int x, int y, int clickCode)
{
    mLastInputUpdateCount = mUpdateCount;
    int bit = ButtonBit(clickCode);
    mActualDownButtons |= bit;
    TrackMousePosition(x, y);
    if (mPopupWidget != nullptr && !mPopupWidget->ContainsPoint(x, y))
        DismissPopupWidget();
    Widget* target = mLastDownWidget != nullptr ? mLastDownWidget : FindEnabledWidgetAt(x, y);
    mDownButtons |= bit;
    mLastDownButtonId = bit == MOUSE_BIT_RIGHT ? -1 : bit == MOUSE_BIT_MIDDLE ? 2 : 1;
    mLastDownWidget = target;
    if (target == nullptr)
        return;
    if (target->AcceptsFocus())
        SetFocusWidget(target);
    // The focus change may have taken the widget out of the tree.
    if (mLastDownWidget != target)
        return;
    target->mIsDown = true;
    WidgetPoint origin = target->GetAbsolutePosition();
    target->OnMouseDown(x - origin.mX, y - origin.mY, clickCode);
}

void WidgetManager::HandleMouseUp(int x, int y, int clickCode)
{
    mLastInputUpdateCount = mUpdateCount;
    int bit = ButtonBit(clickCode);
    mActualDownButtons &= ~bit;
    if (mLastDownWidget != nullptr && (mDownButtons & bit))
    {
        Widget* widget = mLastDownWidget;
        mDownButtons &= ~bit;
        if (mDownButtons == 0)
            mLastDownWidget = nullptr;
        widget->mIsDown = false;
        // Local to the widget itself, also when it is nested in another.
        WidgetPoint origin = widget->GetAbsolutePosition();
        widget->OnMouseUp(x - origin.mX, y - origin.mY, clickCode);
    }
    else
    {
        mDownButtons &= ~bit;
    }
    TrackMousePosition(x, y);
}

void WidgetManager::HandleMouseMove(int x, int y)
{
    mLastInputUpdateCount = mUpdateCount;
    if (mDownButtons != 0)
    {
        HandleMouseDrag(x, y);
        return;
    }
    mMouseIn = true;
    TrackMousePosition(x, y);
}

void WidgetManager::HandleMouseDrag(int x, int y)
{
    mLastInputUpdateCount = mUpdateCount;
    mMouseIn = true;
    mLastMouseX = x;
    mLastMouseY = y;
    if (mOverWidget != nullptr && mOverWidget != mLastDownWidget)
    {
        Widget* old = mOverWidget;
        mOverWidget = nullptr;
        SendMouseLeave(old);
    }
    Widget* widget = mLastDownWidget;
    if (widget == nullptr)
        return;
    WidgetPoint origin = widget->GetAbsolutePosition();
    widget->OnMouseDrag(x - origin.mX, y - origin.mY);
    if (mLastDownWidget != widget)
        return;
    if (FindEnabledWidgetAt(x, y) == widget)
    {
        if (mOverWidget == nullptr)
        {
            mOverWidget = widget;
            SendMouseEnter(widget);
        }
    }
    else if (mOverWidget != nullptr)
    {
        Widget* old = mOverWidget;
        mOverWidget = nullptr;
        SendMouseLeave(old);
    }
}

void WidgetManager::HandleMouseExit()
{
    mLastInputUpdateCount = mUpdateCount;
    mMouseIn = false;
    if (mOverWidget != nullptr)
    {
        Widget* old = mOverWidget;
        mOverWidget = nullptr;
        SendMouseLeave(old);
    }
}

void WidgetManager::HandleMouseWheel(int steps)
{
    mLastInputUpdateCount = mUpdateCount;
    if (mFocusWidget != nullptr)
        mFocusWidget->OnMouseWheel(steps);
}

void WidgetManager::HandleKeyDown(int key)
{
    mLastInputUpdateCount = mUpdateCount;
    if (key >= 0 && key < kKeyCount)
        mKeyDown[size_t(key)] = true;
    if (mFocusWidget != nullptr)
        mFocusWidget->OnKeyDown(key);
}

void WidgetManager::HandleKeyUp(int key)
{
    mLastInputUpdateCount = mUpdateCount;
    if (key >= 0 && key < kKeyCount)
        mKeyDown[size_t(key)] = false;
    // The release of Ctrl+Tab belongs to nobody: its character went to the default-Tab widget.
    if (key == kTab && IsKeyDown(kControl))
        return;
    if (mFocusWidget != nullptr)
        mFocusWidget->OnKeyUp(key);
}

void WidgetManager::HandleChar(int character)
{
    mLastInputUpdateCount = mUpdateCount;
    if ((character & 0xFF) == kTab && IsKeyDown(kControl))
    {
        if (mDefaultTab != nullptr)
            mDefaultTab->OnChar(char(kTab));
        return;
    }
    if (mFocusWidget != nullptr)
        mFocusWidget->OnChar(char(character));
}

bool WidgetManager::IsKeyDown(int key) const
{
    return key >= 0 && key < kKeyCount && mKeyDown[size_t(key)];
}

bool WidgetManager::IsBehindBaseModal(const Widget* widget) const
{
    return mBaseModalWidget == nullptr || IsBehind(widget, mBaseModalWidget);
}

void WidgetManager::ApplyModalState(const FlagMasks& masks, Widget* widget)
{
    mBaseModalWidget = widget;
    mBelowModalMasks = masks;
    if ((masks.mRemove & TREE_MOUSE) && mOverWidget != nullptr && IsBehindBaseModal(mOverWidget))
    {
        Widget* old = mOverWidget;
        mOverWidget = nullptr;
        SendMouseLeave(old);
    }
    if ((masks.mRemove & TREE_MOUSE) && mLastDownWidget != nullptr && IsBehindBaseModal(mLastDownWidget))
    {
        Widget* old = mLastDownWidget;
        int mask = mDownButtons;
        mLastDownWidget = nullptr;
        mDownButtons = 0;
        SendButtonsUp(old, mask);
    }
    if ((masks.mRemove & TREE_FOCUS) && mFocusWidget != nullptr && IsBehindBaseModal(mFocusWidget))
    {
        Widget* old = mFocusWidget;
        mFocusWidget = nullptr;
        old->OnFocusLost();
    }
}

void WidgetManager::PushModalWithMasks(Widget* widget, const FlagMasks& masks)
{
    mModalStack.push_back({widget, mBaseModalWidget, mFocusWidget, mBelowModalMasks});
    ApplyModalState(masks, widget);
}

void WidgetManager::PushModal(Widget* widget)
{
    PushModalWithMasks(widget, mDefaultBelowModalMasks);
}

void WidgetManager::PopModal(Widget* widget)
{
    if (mModalStack.empty() || mModalStack.back().mWidget != widget)
        return;
    while (!mModalStack.empty())
    {
        SavedModalState saved = mModalStack.back();
        bool last = saved.mPrevBaseModal != nullptr || mModalStack.size() == 1;
        ApplyModalState(saved.mPrevBelowModalMasks, saved.mPrevBaseModal);
        if (mFocusWidget == nullptr)
        {
            mFocusWidget = saved.mPrevFocus;
            if (mFocusWidget != nullptr)
                mFocusWidget->OnFocusGained();
        }
        mModalStack.pop_back();
        if (last)
            break;
    }
}

} // namespace Quib
