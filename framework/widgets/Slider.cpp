#include "framework/widgets/Slider.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/SliderListener.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Quib
{

Slider::Slider(Image* trackImage, Image* thumbImage, int id, SliderListener* listener)
    : mListener(listener), mId(id), mTrackImage(trackImage), mThumbImage(thumbImage)
{
}

int Slider::Length() const
{
    return mHorizontal ? mWidth : mHeight;
}

int Slider::ThumbLength() const
{
    if (mThumbImage == nullptr)
        return 0;
    return mHorizontal ? mThumbImage->GetWidth() : mThumbImage->GetHeight();
}

int Slider::ThumbStart() const
{
    return int((Length() - ThumbLength()) * mVal);
}

bool Slider::IsOnThumb(int position) const
{
    int start = ThumbStart();
    return position >= start && position < start + ThumbLength();
}

void Slider::SelectCursor(int cursor)
{
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
        mWidgetManager->mApp->SelectCursor(cursor);
}

void Slider::SetValue(double value)
{
    mVal = std::clamp(value, 0.0, 1.0);
    MarkAreaDirty();
}

void Slider::OnMouseDown(int x, int y, int)
{
    int position = mHorizontal ? x : y;
    if (IsOnThumb(position))
    {
        SelectCursor(CURSOR_DRAGGING);
        mDragging = true;
        mRelX = x - ThumbStart();
        mRelY = y - ThumbStart();
    }
    else if (Length() != 0)
    {
        SetValue(double(position) / Length());
    }
}

void Slider::OnMouseMove(int x, int y)
{
    SelectCursor(IsOnThumb(mHorizontal ? x : y) ? CURSOR_DRAGGING : CURSOR_ARROW);
}

void Slider::OnMouseDrag(int x, int y)
{
    if (!mDragging)
        return;
    int travel = Length() - ThumbLength();
    if (travel <= 0)
        return;
    int position = mHorizontal ? x - mRelX : y - mRelY;
    double value = std::clamp(double(position) / travel, 0.0, 1.0);
    if (value == mVal)
        return;
    mVal = value;
    if (mListener != nullptr)
        mListener->OnSliderValue(mId, mVal);
    MarkAreaDirty();
}

void Slider::OnMouseReleased(int, int)
{
    mDragging = false;
    SelectCursor(CURSOR_ARROW);
    if (mListener != nullptr)
        mListener->OnSliderValue(mId, mVal);
}

void Slider::OnMouseLeave()
{
    if (!mDragging)
        SelectCursor(CURSOR_ARROW);
}

void Slider::Draw(Graphics* g)
{
    const int w = mWidth;
    const int h = mHeight;
    if (mTrackImage != nullptr)
    {
        if (mHorizontal)
        {
            int c = mTrackImage->GetWidth() / 3;
            int t = mTrackImage->GetHeight();
            int y0 = (h - t) / 2;
            g->DrawImage(mTrackImage, 0, y0, Rect(0, 0, c, t));
            if (c > 0)
            {
                Graphics middle(*g);
                middle.ClipRect(c, y0, w - 2 * c, t);
                int tiles = (w - c - 1) / c;
                for (int i = 0; i < tiles; ++i)
                    middle.DrawImage(mTrackImage, c * (i + 1), y0, Rect(c, 0, c, t));
            }
            g->DrawImage(mTrackImage, w - c, y0, Rect(2 * c, 0, c, t));
        }
        else
        {
            int c = mTrackImage->GetHeight() / 3;
            int t = mTrackImage->GetWidth();
            g->DrawImage(mTrackImage, 0, 0, Rect(0, 0, t, c));
            if (c > 0)
            {
                Graphics middle(*g);
                middle.ClipRect(0, c, t, h - 2 * c);
                int tiles = (h - c - 1) / c;
                for (int i = 0; i < tiles; ++i)
                    middle.DrawImage(mTrackImage, 0, c * (i + 1), Rect(0, c, t, c));
            }
            g->DrawImage(mTrackImage, 0, h - c, Rect(0, 2 * c, t, c));
        }
    }
    if (mThumbImage != nullptr)
    {
        int tw = mThumbImage->GetWidth();
        int th = mThumbImage->GetHeight();
        if (mHorizontal)
            g->DrawImage(mThumbImage, int((w - tw) * mVal), (h - th) / 2);
        else
            g->DrawImage(mThumbImage, (w - tw) / 2, int((h - th) * mVal));
    }
}

} // namespace Quib
