#include "framework/widgets/ScrollbuttonWidget.h"

#include "framework/graphics/Graphics.h"

namespace Quib
{

ScrollbuttonWidget::ScrollbuttonWidget(ButtonListener* listener, int id) : ButtonWidget(id, listener) {}

void ScrollbuttonWidget::Draw(Graphics* g)
{
    const int w = mWidth;
    const int h = mHeight;
    const int p = IsPressedAndHovered() ? 1 : 0;
    const Color grey(132, 132, 132);
    g->SetColor(Color(212, 212, 212));
    g->FillRect(0, 0, w, h);
    if (p != 0)
    {
        g->SetColor(grey);
        g->DrawRect(0, 0, w - 1, h - 1);
    }
    else
    {
        g->SetColor(Color(255, 255, 255));
        g->FillRect(1, 1, w - 2, 1);
        g->FillRect(1, 1, 1, h - 2);
        g->SetColor(Color(0, 0, 0));
        g->FillRect(0, h - 1, w, 1);
        g->FillRect(w - 1, 0, 1, h);
        g->SetColor(grey);
        g->FillRect(1, h - 2, w - 2, 1);
        g->FillRect(w - 2, 1, 1, h - 2);
    }
    g->SetColor(mDisabled ? grey : Color(0, 0, 0));
    const bool vertical = !mHorizontal && mType != 3 && mType != 4;
    for (int i = 0; i < 4; ++i)
    {
        const int length = 2 * i + 1;
        if (vertical)
        {
            int x = w / 2 - i + p - 1;
            int y = (mId != 0 && mType != 1) ? (h - 4) / 2 - i + p + 3 : (h - 4) / 2 + i + p;
            g->FillRect(x, y, length, 1);
        }
        else
        {
            int y = h / 2 - i + p - 1;
            int x = (mId != 0 && mType != 3) ? (w - 4) / 2 - i + p + 3 : (w - 4) / 2 + i + p;
            g->FillRect(x, y, 1, length);
        }
    }
}

} // namespace Quib
