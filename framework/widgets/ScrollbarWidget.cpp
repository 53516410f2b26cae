#include "framework/widgets/ScrollbarWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/ScrollbuttonWidget.h"

#include <algorithm>

namespace Quib
{

namespace
{

constexpr int kRepeatDelay = 25;
constexpr int kPageRepeatRestart = 20;

} // namespace

ScrollbarWidget::ScrollbarWidget(ScrollListener* listener)
    : mUpButton(std::make_unique<ScrollbuttonWidget>(this, 0)),
      mDownButton(std::make_unique<ScrollbuttonWidget>(this, 1)), mScrollListener(listener)
{
    SetDisabled(true);
    mUpButton->SetDisabled(true);
    mDownButton->SetDisabled(true);
    AddChild(mUpButton.get());
    AddChild(mDownButton.get());
}

ScrollbarWidget::~ScrollbarWidget()
{
    RemoveChild(mUpButton.get());
    RemoveChild(mDownButton.get());
}

int ScrollbarWidget::ArrowSize() const
{
    return mUpButton->mWidth;
}

void ScrollbarWidget::SetHideWhenUnneeded(bool hide)
{
    mInvisIfNoScroll = hide;
    if (hide)
    {
        SetVisible(false);
        mUpButton->SetVisible(false);
        mDownButton->SetVisible(false);
    }
}

void ScrollbarWidget::SetMaximum(double maximum)
{
    mMaxValue = maximum;
    ClampValue();
    MarkDirty();
}

void ScrollbarWidget::SetPageSize(double pageSize)
{
    mPageSize = pageSize;
    ClampValue();
    MarkDirty();
}

void ScrollbarWidget::SetValue(double value)
{
    mValue = value;
    ClampValue();
    if (mScrollListener != nullptr)
        mScrollListener->OnScroll(mId, mValue);
    MarkDirty();
}

void ScrollbarWidget::ClampValue()
{
    double old = mValue;
    mValue = std::max(0.0, std::min(mValue, mMaxValue - mPageSize));
    bool usable = mMaxValue > mPageSize;
    SetDisabled(!usable);
    mUpButton->SetDisabled(!usable);
    mDownButton->SetDisabled(!usable);
    if (mInvisIfNoScroll)
    {
        SetVisible(usable);
        mUpButton->SetVisible(usable);
        mDownButton->SetVisible(usable);
    }
    if (mValue != old && mScrollListener != nullptr)
        mScrollListener->OnScroll(mId, mValue);
}

void ScrollbarWidget::SetHorizontal(bool horizontal)
{
    mHorizontal = horizontal;
    mUpButton->mHorizontal = horizontal;
    mDownButton->mHorizontal = horizontal;
}

void ScrollbarWidget::ResizeScrollbar(int x, int y, int width, int height)
{
    Resize(x, y, width, height);
    if (mHorizontal)
    {
        mUpButton->Resize(0, 0, height, height);
        mDownButton->Resize(width - height, 0, height, height);
    }
    else
    {
        mUpButton->Resize(0, 0, width, width);
        mDownButton->Resize(0, height - width, width, width);
    }
}

bool ScrollbarWidget::AtEnd() const
{
    return mMaxValue - mPageSize - mValue <= 1.0;
}

void ScrollbarWidget::GoToEnd()
{
    mValue = mMaxValue - mPageSize;
    ClampValue();
    SetValue(mValue);
}

int ScrollbarWidget::GetTrackLength() const
{
    return (mHorizontal ? mWidth : mHeight) - 2 * ArrowSize();
}

int ScrollbarWidget::GetThumbLength() const
{
    if (mMaxValue < mPageSize || mMaxValue <= 0)
        return 0;
    return std::max(8, int(GetTrackLength() * mPageSize / mMaxValue + 0.5));
}

int ScrollbarWidget::GetThumbPosition() const
{
    // With no range to scroll the thumb rests at the start of the track.
    if (mMaxValue <= mPageSize)
        return ArrowSize();
    return int((GetTrackLength() - GetThumbLength()) * mValue / (mMaxValue - mPageSize) + 0.5) + ArrowSize();
}

void ScrollbarWidget::SetThumbPosition(int position)
{
    int travel = GetTrackLength() - GetThumbLength();
    if (travel == 0)
        return;
    SetValue((mMaxValue - mPageSize) * (position - ArrowSize()) / travel);
}

int ScrollbarWidget::HitTestThumb(int x, int y) const
{
    int along = mHorizontal ? x : y;
    int start = GetThumbPosition();
    if (along < start)
        return -1;
    if (along >= start + GetThumbLength())
        return 1;
    return 0;
}

void ScrollbarWidget::OnButtonPressed(int id)
{
    mButtonAcc = 0;
    SetValue(id == 1 ? mValue + 1 : mValue - 1);
}

void ScrollbarWidget::OnButtonHeld(int id)
{
    if (++mButtonAcc < kRepeatDelay)
        return;
    mButtonAcc = kRepeatDelay - 1;
    SetValue(id == 1 ? mValue + 1 : mValue - 1);
}

void ScrollbarWidget::OnMouseButtonDown(int x, int y, int, int)
{
    if (!mDisabled)
    {
        switch (HitTestThumb(x, y))
        {
        case -1:
            SetValue(mValue - mPageSize);
            mUpdateMode = 1;
            mUpdateAcc = 0;
            break;
        case 1:
            SetValue(mValue + mPageSize);
            mUpdateMode = 2;
            mUpdateAcc = 0;
            break;
        default:
            mPressedOnThumb = true;
            mMouseDownThumbPos = GetThumbPosition();
            mMouseDownX = x;
            mMouseDownY = y;
            break;
        }
    }
    mLastMouseX = x;
    mLastMouseY = y;
}

void ScrollbarWidget::OnMouseDrag(int x, int y)
{
    if (mPressedOnThumb)
        SetThumbPosition(mMouseDownThumbPos + (mHorizontal ? x - mMouseDownX : y - mMouseDownY));
    mLastMouseX = x;
    mLastMouseY = y;
}

void ScrollbarWidget::OnMouseButtonUp(int, int, int, int)
{
    mUpdateMode = 0;
    mPressedOnThumb = false;
    MarkDirty();
}

void ScrollbarWidget::Update()
{
    Widget::Update();
    if (mUpdateMode == 0)
        return;
    int wanted = mUpdateMode == 1 ? -1 : 1;
    if (HitTestThumb(mLastMouseX, mLastMouseY) != wanted)
    {
        mUpdateMode = 0;
        MarkDirty();
        return;
    }
    if (++mUpdateAcc < kRepeatDelay)
        return;
    SetValue(mUpdateMode == 1 ? mValue - mPageSize : mValue + mPageSize);
    mUpdateAcc = kPageRepeatRestart;
}

void ScrollbarWidget::DrawThumb(Graphics* g, int x, int y, int w, int h)
{
    g->SetColor(Color(212, 212, 212));
    g->FillRect(x, y, w, h);
    g->SetColor(Color(255, 255, 255));
    g->FillRect(x + 1, y + 1, w - 2, 1);
    g->FillRect(x + 1, y + 1, 1, h - 2);
    g->SetColor(Color(0, 0, 0));
    g->FillRect(x, y + h - 1, w, 1);
    g->FillRect(x + w - 1, y, 1, h);
    g->SetColor(Color(132, 132, 132));
    g->FillRect(x + 1, y + h - 2, w - 2, 1);
    g->FillRect(x + w - 2, y + 1, 1, h - 2);
}

void ScrollbarWidget::Draw(Graphics* g)
{
    const int length = mHorizontal ? mWidth : mHeight;
    const int breadth = mHorizontal ? mHeight : mWidth;
    const int a = GetThumbLength();
    const int b = GetThumbPosition();
    const Color pressed(48, 48, 48);
    const Color track(232, 232, 232);
    auto fill = [&](int from, int to)
    {
        if (mHorizontal)
            g->FillRect(from, 0, to - from, breadth);
        else
            g->FillRect(0, from, breadth, to - from);
    };
    g->SetColor(mUpdateMode == 1 ? pressed : track);
    fill(0, b);
    if (a > 0)
    {
        if (mHorizontal)
            DrawThumb(g, b, 0, a, breadth);
        else
            DrawThumb(g, 0, b, breadth, a);
    }
    g->SetColor(mUpdateMode == 2 ? pressed : track);
    fill(a + b, length);
}

} // namespace Quib
