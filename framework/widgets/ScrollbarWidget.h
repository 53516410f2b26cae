#pragma once

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"

#include <memory>

namespace Quib
{

class ScrollListener;
class ScrollbuttonWidget;

// Scrolls a range: a value from 0 to maximum - page size, a thumb whose length
// shows the page, arrow buttons at both ends, and paging by holding the track.
class ScrollbarWidget : public Widget, public ButtonListener
{
public:
    explicit ScrollbarWidget(ScrollListener* listener);
    ~ScrollbarWidget() override;

    void Update() override;
    void Draw(Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;
    void OnMouseDrag(int x, int y) override;

    virtual void SetHideWhenUnneeded(bool hide);
    virtual void SetMaximum(double maximum);
    virtual void SetPageSize(double pageSize);
    virtual void SetValue(double value);
    virtual void SetHorizontal(bool horizontal);
    virtual void ResizeScrollbar(int x, int y, int width, int height);
    virtual bool AtEnd() const;
    virtual void GoToEnd();
    virtual void DrawThumb(Graphics* g, int x, int y, int width, int height);
    virtual int GetTrackLength() const;
    virtual int GetThumbLength() const;
    virtual int GetThumbPosition() const;
    virtual void ClampValue();
    virtual void SetThumbPosition(int position);
    virtual int HitTestThumb(int x, int y) const;

    void OnButtonPressed(int id) override;
    void OnButtonHeld(int id) override;

    std::unique_ptr<ScrollbuttonWidget> mUpButton;
    std::unique_ptr<ScrollbuttonWidget> mDownButton;
    bool mInvisIfNoScroll = false;
    int mId = 1;
    double mValue = 0.0;
    double mMaxValue = 0.0;
    double mPageSize = 0.0;
    bool mHorizontal = false;
    bool mPressedOnThumb = false;
    int mMouseDownThumbPos = 0;
    int mMouseDownX = 0;
    int mMouseDownY = 0;
    int mUpdateMode = 0;
    int mUpdateAcc = 0;
    int mButtonAcc = 0;
    int mLastMouseX = 0;
    int mLastMouseY = 0;
    ScrollListener* mScrollListener;

private:
    int ArrowSize() const;
};

} // namespace Quib
