#pragma once

#include "framework/widgets/ButtonWidget.h"

namespace Quib
{

// The arrow button at each end of a scroll bar.
class ScrollbuttonWidget : public ButtonWidget
{
public:
    ScrollbuttonWidget(ButtonListener* listener, int id);

    void Draw(Graphics* g) override;

    bool mHorizontal = false;
    // 1 up, 2 down, 3 left, 4 right; 0 follows the id and the orientation.
    int mType = 0;
};

} // namespace Quib
