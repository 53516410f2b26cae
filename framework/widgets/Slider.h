#pragma once

#include "framework/widgets/Widget.h"

namespace Quib
{

class Image;
class SliderListener;

// A value from 0 to 1 set by dragging a thumb image along a track image.
class Slider : public Widget
{
public:
    Slider(Image* trackImage, Image* thumbImage, int id, SliderListener* listener);

    void Draw(Graphics* g) override;
    void OnMouseLeave() override;
    void OnMouseMove(int x, int y) override;
    void OnMouseDown(int x, int y, int clickCode) override;
    void OnMouseReleased(int x, int y) override;
    void OnMouseDrag(int x, int y) override;

    virtual void SetValue(double value);

    SliderListener* mListener;
    double mVal = 0.0;
    int mId;
    Image* mTrackImage;
    Image* mThumbImage;
    bool mDragging = false;
    int mRelX = 0;
    int mRelY = 0;
    bool mHorizontal = true;

private:
    int Length() const;
    int ThumbLength() const;
    int ThumbStart() const;
    bool IsOnThumb(int position) const;
    void SelectCursor(int cursor);
};

} // namespace Quib
