#include "game/shell/CustomSlider.h"

#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/CustomSliderListener.h"

void CustomSlider::OnMouseDown(int x, int y, int clickCode)
{
    Quib::Slider::OnMouseDown(x, y, clickCode);
    if (mPressListener)
        mPressListener->OnSliderPressed(mId);
}

void CustomSlider::OnMouseReleased(int, int)
{
    mDragging = false;
    if (mWidgetManager && mWidgetManager->mApp)
        mWidgetManager->mApp->SelectCursor(Quib::CURSOR_ARROW);
    if (mPressListener)
        mPressListener->OnSliderReleased(mId);
}
