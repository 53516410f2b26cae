#pragma once

#include "framework/widgets/Widget.h"

namespace Quib
{

class CheckboxListener;
class Image;

// A two-state box that toggles on any press.
class Checkbox : public Widget
{
public:
    Checkbox(Image* uncheckedImage, Image* checkedImage, int id, CheckboxListener* listener);

    void Draw(Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    virtual void SetChecked(bool checked, bool notify);
    virtual bool IsChecked() const;

    CheckboxListener* mListener;
    int mId;
    bool mChecked = false;
    Image* mUncheckedImage;
    Image* mCheckedImage;
    Rect mCheckedRect;
    Rect mUncheckedRect;
    Color mOutlineColor{255, 255, 255, 255};
    Color mBkgColor{80, 80, 80};
    Color mCheckColor{255, 255, 0};
};

} // namespace Quib
