#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Quib
{

void WidgetManager::ComputeTreeFlags(TreeFlagState& state) const
{
    state.mReached = mBaseModalWidget == nullptr;
    state.mInFront = GetFocusAdjustedFlags();
    state.mBehind = mBelowModalMasks.Apply(state.mInFront);
}

bool WidgetManager::UpdateWidgets()
{
    TreeFlagState state;
    ComputeTreeFlags(state);
    ++mUpdateCount;
    mLastUpdateCount = mUpdateCount;
    UpdateTree(state);
    return mDirty;
}

bool WidgetManager::UpdateWidgetsFraction(float fraction)
{
    TreeFlagState state;
    ComputeTreeFlags(state);
    UpdateFractionTree(state, fraction);
    return mDirty;
}

bool WidgetManager::DrawDirtyWidgets()
{
    TreeFlagState state;
    ComputeTreeFlags(state);
    bool anyDirty =
        std::any_of(mChildren.begin(), mChildren.end(), [](const Widget* w) { return w->mDirty; });
    mOverlays.clear();
    mLowestOverlayPriority = INT_MAX;

    Graphics screen(mDrawImage);
    mCurrentGraphics = &screen;
    // One lock around the whole frame, so that its many blits do not each lock the surface.
    auto* surface = dynamic_cast<DDImage*>(mDrawImage);
    const bool locked = surface != nullptr && surface->LockSurface();
    bool drew = false;
    if (anyDirty)
    {
        Graphics translated(screen);
        translated.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
        bool is3D = mApp != nullptr && mApp->Is3DEnabled();
        for (auto it = mChildren.begin(); it != mChildren.end();)
        {
            Widget* widget = *it++;
            if (widget == mBaseModalWidget)
                state.mReached = true;
            if (!widget->mDirty || !widget->mVisible)
                continue;
            Graphics copy(translated);
            if (is3D)
                copy.SetLinearFiltering(true);
            else
                copy.SetUnfilteredStretch(true);
            copy.Translate(widget->mX, widget->mY);
            widget->DrawTree(state, &copy);
            drew = true;
            widget->mDirty = false;
        }
    }
    FlushOverlays(INT_MAX);
    if (locked)
        surface->UnlockSurface();
    mCurrentGraphics = nullptr;
    return drew;
}

void WidgetManager::QueueOverlay(Widget* widget, int priority)
{
    mOverlays.push_back({widget, priority});
    mLowestOverlayPriority = std::min(mLowestOverlayPriority, priority);
}

void WidgetManager::FlushOverlays(int bound)
{
    while (true)
    {
        int minimum = INT_MAX;
        // Drawing may queue more requests, so walk by index.
        for (size_t i = 0; i < mOverlays.size(); ++i)
        {
            OverlayRequest request = mOverlays[i];
            if (request.mWidget == nullptr)
                continue;
            if (request.mPriority == mLowestOverlayPriority)
            {
                mOverlays[i].mWidget = nullptr;
                if (mCurrentGraphics == nullptr)
                    continue;
                Graphics copy(*mCurrentGraphics);
                copy.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
                // The widget's screen position, also when it is nested in another.
                WidgetPoint origin = request.mWidget->GetAbsolutePosition();
                copy.Translate(origin.mX, origin.mY);
                bool is3D = mApp != nullptr && mApp->Is3DEnabled();
                if (is3D)
                    copy.SetLinearFiltering(true);
                else
                    copy.SetUnfilteredStretch(true);
                request.mWidget->DrawOverlayAtPriority(&copy, request.mPriority);
            }
            else if (request.mPriority < minimum)
            {
                minimum = request.mPriority;
            }
        }
        mLowestOverlayPriority = minimum;
        if (minimum == INT_MAX)
        {
            mOverlays.clear();
            return;
        }
        if (mLowestOverlayPriority >= bound)
            return;
    }
}

} // namespace Quib
