#pragma once

#include "framework/foundation/Rect.h"
#include "framework/widgets/TreeFlags.h"

#include <list>

namespace Quib
{

class Graphics;
class Widget;
class WidgetManager;

struct WidgetPoint
{
    int mX = 0;
    int mY = 0;
};

// A node of the widget tree: children in drawing order (back to front, sorted
// by z-order), the walks that update and draw them, dirty propagation and the
// hit test. It never owns its children.
class WidgetContainer
{
public:
    using ChildList = std::list<Widget*>;

    WidgetContainer();
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;
    virtual ~WidgetContainer();

    virtual Rect GetBounds() const;
    virtual bool Overlaps(const WidgetContainer* other) const;
    virtual void AddChild(Widget* widget);
    virtual void RemoveChild(Widget* widget);
    virtual bool HasChild(const Widget* widget) const;
    virtual void ForgetWidget(Widget* widget);
    virtual void RemoveAllChildren(bool deleteChildren, bool recursive);
    virtual void SetFocusWidget(Widget* widget);
    virtual bool IsBehind(const WidgetContainer* a, const WidgetContainer* b) const;
    virtual void MarkTreeDirty();
    virtual void MoveToFront(Widget* child);
    virtual void MoveToBack(Widget* child);
    virtual void MoveBehind(Widget* child, Widget* other);
    virtual void MoveInFront(Widget* child, Widget* other);
    virtual WidgetPoint GetAbsolutePosition() const;
    virtual void MarkChildDirty(WidgetContainer* child);
    virtual void MarkDirty();
    virtual void MarkChildAreaDirty(WidgetContainer* child);
    virtual void MarkAreaDirty();
    virtual void OnAttached(WidgetManager* manager);
    virtual void OnDetached(WidgetManager* manager);
    virtual void Update();
    virtual void UpdateTree(TreeFlagState& state);
    virtual void UpdateFraction(float fraction);
    virtual void UpdateFractionTree(TreeFlagState& state, float fraction);
    virtual void Draw(Graphics* g);
    virtual void DrawTree(TreeFlagState& state, Graphics* g);
    virtual void SystemColorsChangedTree();
    virtual void OnSystemColorsChanged();

    Widget* FindChildAt(int x, int y, int flags, bool& found, int* localX = nullptr, int* localY = nullptr);

    const ChildList& GetChildren() const { return mChildren; }

    ChildList mChildren;
    WidgetManager* mWidgetManager = nullptr;
    WidgetContainer* mParent = nullptr;
    bool mWalkMoved = false;
    ChildList::iterator mWalkCursor;
    int mLastUpdateCount = 0;
    int mUpdateCount = 0;
    bool mDirty = false;
    int mX = 0;
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;
    bool mHasAlpha = false;
    bool mClip = true;
    FlagMasks mFlagMasks;
    int mPriority = 0;
    int mZOrder = 0;

protected:
    void InsertByZOrder(Widget* widget, ChildList::iterator hint);

private:
    // Takes a child's node out, keeping an update walk over this list on course.
    void Unlink(ChildList::iterator it);
    bool IsBehindWalk(const WidgetContainer* a, const WidgetContainer* b, bool& decided) const;
    void WalkChildren(TreeFlagState& state, bool fraction, float amount);
};

} // namespace Quib
