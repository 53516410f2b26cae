#include "framework/widgets/WidgetContainer.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <iterator>

namespace Quib
{

namespace
{

// Puts the two walk words back on every exit, also when an exception passes.
class SavedWords
{
public:
    explicit SavedWords(TreeFlagState& state)
        : mState(state), mInFront(state.mInFront), mBehind(state.mBehind)
    {
    }
    ~SavedWords()
    {
        mState.mInFront = mInFront;
        mState.mBehind = mBehind;
    }
    SavedWords(const SavedWords&) = delete;
    SavedWords& operator=(const SavedWords&) = delete;

private:
    TreeFlagState& mState;
    int mInFront;
    int mBehind;
};

void ApplyMasks(TreeFlagState& state, const FlagMasks& masks)
{
    state.mInFront = masks.Apply(state.mInFront);
    state.mBehind = masks.Apply(state.mBehind);
}

} // namespace

WidgetContainer::WidgetContainer() : mWalkCursor(mChildren.end()) {}

WidgetContainer::~WidgetContainer()
{
    for (Widget* child : mChildren)
        child->mParent = nullptr;
}

Rect WidgetContainer::GetBounds() const
{
    return Rect(mX, mY, mWidth, mHeight);
}

bool WidgetContainer::Overlaps(const WidgetContainer* other) const
{
    return GetBounds().Intersects(other->GetBounds());
}

void WidgetContainer::AddChild(Widget* widget)
{
    if (widget == nullptr || HasChild(widget))
        return;
    // A widget lives in one list only; taking it from its old parent keeps that
    // parent from holding a node it no longer owns the state of.
    if (widget->mParent != nullptr)
        widget->mParent->RemoveChild(widget);
    InsertByZOrder(widget, mChildren.end());
    widget->mWidgetManager = mWidgetManager;
    widget->mParent = this;
    if (mWidgetManager != nullptr)
    {
        widget->OnAttached(mWidgetManager);
        widget->MarkAreaDirty();
        mWidgetManager->RecheckMouseOver();
    }
    MarkDirty();
}

void WidgetContainer::Unlink(ChildList::iterator it)
{
    if (it == mWalkCursor)
    {
        ++mWalkCursor;
        mWalkMoved = true;
    }
    mChildren.erase(it);
}

void WidgetContainer::RemoveChild(Widget* widget)
{
    auto it = std::find(mChildren.begin(), mChildren.end(), widget);
    if (it == mChildren.end())
        return;
    widget->DetachFromManager();
    widget->mParent = nullptr;
    // The detach may have run widget code that moved nodes; look the node up again.
    it = std::find(mChildren.begin(), mChildren.end(), widget);
    if (it != mChildren.end())
        Unlink(it);
}

bool WidgetContainer::HasChild(const Widget* widget) const
{
    return std::find(mChildren.begin(), mChildren.end(), widget) != mChildren.end();
}

void WidgetContainer::ForgetWidget(Widget*) {}

void WidgetContainer::RemoveAllChildren(bool deleteChildren, bool recursive)
{
    while (!mChildren.empty())
    {
        Widget* child = mChildren.front();
        RemoveChild(child);
        if (recursive)
            child->RemoveAllChildren(deleteChildren, recursive);
        if (deleteChildren)
            delete child;
    }
}

void WidgetContainer::SetFocusWidget(Widget*) {}

bool WidgetContainer::IsBehindWalk(const WidgetContainer* a, const WidgetContainer* b, bool& decided) const
{
    for (const Widget* child : mChildren)
    {
        if (child == a)
        {
            decided = true;
            return true;
        }
        if (child == b)
        {
            decided = true;
            return false;
        }
        bool result = static_cast<const WidgetContainer*>(child)->IsBehindWalk(a, b, decided);
        if (decided)
            return result;
    }
    return false;
}

bool WidgetContainer::IsBehind(const WidgetContainer* a, const WidgetContainer* b) const
{
    if (a == this)
        return true;
    if (b == this)
        return false;
    bool decided = false;
    return IsBehindWalk(a, b, decided);
}

void WidgetContainer::MarkTreeDirty()
{
    MarkDirty();
    for (Widget* child : mChildren)
    {
        child->mDirty = true;
        child->MarkTreeDirty();
    }
}

void WidgetContainer::InsertByZOrder(Widget* widget, ChildList::iterator hint)
{
    auto it = hint;
    while (it != mChildren.end() && (*it)->mZOrder < widget->mZOrder)
        ++it;
    if (it != mChildren.end())
    {
        if (it == mChildren.begin() || (*std::prev(it))->mZOrder <= widget->mZOrder)
        {
            mChildren.insert(it, widget);
            return;
        }
    }
    // Step back until a child whose z-order is not above the widget's.
    while (true)
    {
        if (it == mChildren.begin())
        {
            mChildren.push_front(widget);
            return;
        }
        --it;
        if (widget->mZOrder >= (*it)->mZOrder)
            break;
    }
    mChildren.insert(std::next(it), widget);
}

void WidgetContainer::MoveToFront(Widget* child)
{
    auto it = std::find(mChildren.begin(), mChildren.end(), child);
    if (it == mChildren.end())
        return;
    Unlink(it);
    InsertByZOrder(child, mChildren.end());
    child->OnZOrderChanged();
}

void WidgetContainer::MoveToBack(Widget* child)
{
    auto it = std::find(mChildren.begin(), mChildren.end(), child);
    if (it == mChildren.end())
        return;
    Unlink(it);
    InsertByZOrder(child, mChildren.begin());
    child->OnZOrderChanged();
}

void WidgetContainer::MoveBehind(Widget* child, Widget* other)
{
    auto it = std::find(mChildren.begin(), mChildren.end(), child);
    if (it == mChildren.end())
        return;
    Unlink(it);
    InsertByZOrder(child, std::find(mChildren.begin(), mChildren.end(), other));
    child->OnZOrderChanged();
}

void WidgetContainer::MoveInFront(Widget* child, Widget* other)
{
    auto it = std::find(mChildren.begin(), mChildren.end(), child);
    if (it == mChildren.end())
        return;
    Unlink(it);
    auto hint = std::find(mChildren.begin(), mChildren.end(), other);
    if (hint != mChildren.end())
        ++hint;
    InsertByZOrder(child, hint);
    child->OnZOrderChanged();
}

WidgetPoint WidgetContainer::GetAbsolutePosition() const
{
    if (mParent == nullptr)
        return {mX, mY};
    WidgetPoint parent = mParent->GetAbsolutePosition();
    return {parent.mX + mX, parent.mY + mY};
}

void WidgetContainer::MarkChildDirty(WidgetContainer* child)
{
    if (child->mDirty)
        return;
    MarkDirty();
    child->mDirty = true;
    if (mParent != nullptr)
        return;
    if (child->mHasAlpha)
    {
        MarkChildAreaDirty(child);
        return;
    }
    auto it = std::find(mChildren.begin(), mChildren.end(), child);
    if (it == mChildren.end())
        return;
    for (++it; it != mChildren.end(); ++it)
    {
        Widget* sibling = *it;
        if (sibling->mVisible && sibling->Overlaps(child))
            MarkChildDirty(sibling);
    }
}

void WidgetContainer::MarkDirty()
{
    if (mParent != nullptr)
        mParent->MarkChildDirty(this);
    else
        mDirty = true;
}

void WidgetContainer::MarkChildAreaDirty(WidgetContainer* child)
{
    MarkAreaDirty();
    child->mDirty = true;
    if (mParent != nullptr)
        return;
    auto childIt = std::find(mChildren.begin(), mChildren.end(), child);
    if (childIt == mChildren.end())
        return;
    Rect area = child->GetBounds().Intersection(Rect(0, 0, mWidth, mHeight));
    for (auto it = childIt; it != mChildren.begin();)
    {
        Widget* sibling = *--it;
        if (!sibling->mVisible)
            continue;
        if (!sibling->mHasTransparencies && !sibling->mHasAlpha && sibling->ContainsPoint(area.mX, area.mY) &&
            sibling->ContainsPoint(area.mX + area.mWidth - 1, area.mY + area.mHeight - 1))
        {
            sibling->MarkDirty();
            break;
        }
        if (sibling->Overlaps(child))
            MarkChildDirty(sibling);
    }
    for (auto it = childIt; it != mChildren.end(); ++it)
    {
        Widget* sibling = *it;
        if (sibling->mVisible && sibling->Overlaps(child))
            MarkChildDirty(sibling);
    }
}

void WidgetContainer::MarkAreaDirty()
{
    if (mParent != nullptr)
        mParent->MarkChildAreaDirty(this);
    else
        mDirty = true;
}

void WidgetContainer::OnAttached(WidgetManager* manager)
{
    for (auto it = mChildren.begin(); it != mChildren.end();)
    {
        Widget* child = *it++;
        child->mWidgetManager = manager;
        child->OnAttached(manager);
        MarkDirty();
    }
}

void WidgetContainer::OnDetached(WidgetManager* manager)
{
    for (auto it = mChildren.begin(); it != mChildren.end();)
    {
        Widget* child = *it++;
        manager->ForgetWidget(child);
        child->OnDetached(manager);
        child->mWidgetManager = nullptr;
    }
    if (manager->mPopupWidget == this)
        manager->mPopupWidget = nullptr;
}

void WidgetContainer::Update()
{
    ++mUpdateCount;
}

void WidgetContainer::WalkChildren(TreeFlagState& state, bool fraction, float amount)
{
    mWalkCursor = mChildren.begin();
    while (mWalkCursor != mChildren.end())
    {
        mWalkMoved = false;
        Widget* child = *mWalkCursor;
        if (mWidgetManager != nullptr && child == mWidgetManager->mBaseModalWidget)
            state.mReached = true;
        if (fraction)
            child->UpdateFractionTree(state, amount);
        else
            child->UpdateTree(state);
        if (!mWalkMoved)
            ++mWalkCursor;
    }
    mWalkMoved = true;
}

void WidgetContainer::UpdateTree(TreeFlagState& state)
{
    SavedWords saved(state);
    ApplyMasks(state, mFlagMasks);
    if (state.Current() & TREE_REDRAW)
        MarkDirty();
    if (mWidgetManager == nullptr)
        return;
    if ((state.Current() & TREE_UPDATE) && mWidgetManager->mUpdateCount != mLastUpdateCount)
    {
        mLastUpdateCount = mWidgetManager->mUpdateCount;
        Update();
    }
    WalkChildren(state, false, 0.0f);
}

void WidgetContainer::UpdateFraction(float) {}

void WidgetContainer::UpdateFractionTree(TreeFlagState& state, float fraction)
{
    SavedWords saved(state);
    ApplyMasks(state, mFlagMasks);
    if (state.Current() & TREE_UPDATE)
        UpdateFraction(fraction);
    WalkChildren(state, true, fraction);
}

void WidgetContainer::Draw(Graphics*) {}

void WidgetContainer::DrawTree(TreeFlagState& state, Graphics* g)
{
    if (mWidgetManager != nullptr && mWidgetManager->mLowestOverlayPriority < mPriority)
        mWidgetManager->FlushOverlays(mPriority);
    SavedWords saved(state);
    ApplyMasks(state, mFlagMasks);
    if (mClip && (state.Current() & TREE_CLIP))
        g->ClipRect(0, 0, mWidth, mHeight);
    if (mChildren.empty())
    {
        if (state.Current() & TREE_DRAW)
            Draw(g);
        return;
    }
    if (state.Current() & TREE_DRAW)
    {
        g->PushState();
        Draw(g);
        g->PopState();
    }
    for (auto it = mChildren.begin(); it != mChildren.end();)
    {
        Widget* child = *it++;
        if (!child->mVisible)
            continue;
        if (mWidgetManager != nullptr && child == mWidgetManager->mBaseModalWidget)
            state.mReached = true;
        Graphics copy(*g);
        copy.Translate(child->mX, child->mY);
        child->DrawTree(state, &copy);
        child->mDirty = false;
    }
}

void WidgetContainer::SystemColorsChangedTree()
{
    OnSystemColorsChanged();
    for (auto it = mChildren.begin(); it != mChildren.end();)
        (*it++)->SystemColorsChangedTree();
}

void WidgetContainer::OnSystemColorsChanged() {}

Widget* WidgetContainer::FindChildAt(int x, int y, int flags, bool& found, int* localX, int* localY)
{
    found = false;
    int ownFlags = mFlagMasks.Apply(flags);
    bool passedBaseModal = false;
    for (auto it = mChildren.rbegin(); it != mChildren.rend(); ++it)
    {
        Widget* child = *it;
        int childFlags = child->mFlagMasks.Apply(ownFlags);
        if (passedBaseModal && mWidgetManager != nullptr)
            childFlags = mWidgetManager->mBelowModalMasks.Apply(childFlags);
        if (mWidgetManager != nullptr && child == mWidgetManager->mBaseModalWidget)
            passedBaseModal = true;
        if (!(childFlags & TREE_MOUSE) || !child->mVisible)
            continue;
        int childX = x - child->mX;
        int childY = y - child->mY;
        Widget* hit = child->FindChildAt(childX, childY, childFlags, found, localX, localY);
        if (hit != nullptr)
            return hit;
        if (child->mMouseVisible && child->GetInnerRect().Intersects(Rect(x, y, 1, 1)) &&
            child->IsOpaqueAt(childX, childY))
        {
            if (localX != nullptr)
                *localX = childX;
            if (localY != nullptr)
                *localY = childY;
            found = true;
            return child;
        }
    }
    found = false;
    return nullptr;
}

} // namespace Quib
