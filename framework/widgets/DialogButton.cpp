#include "framework/widgets/DialogButton.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ControlFont.h"

namespace Quib
{

DialogButton::DialogButton(int id, ButtonListener* listener) : ButtonWidget(id, listener)
{
    mDoHandCursor = true;
    static constexpr int kColors[][3] = {{255, 255, 255}, {255, 255, 255}, {0, 0, 0},
                                         {255, 255, 255}, {132, 132, 132}, {212, 212, 212}};
    SetColorsRGB(kColors, 6);
}

void DialogButton::Draw(Graphics* g)
{
    if (mBtnNoDraw)
        return;
    if (mComponentImage == nullptr)
    {
        ButtonWidget::Draw(g);
        return;
    }
    if (mFont == nullptr && !mLabel.empty())
        mFont = MakeControlFont(12, 1);
    const bool pressed = IsPressedAndHovered();
    const Rect area(0, 0, mWidth, mHeight);
    if (mNormalRect.mWidth != 0)
    {
        if (mDisabled && mDisabledRect.mWidth > 0 && mDisabledRect.mHeight > 0)
        {
            g->DrawNinePatch(area, mDisabledRect, mComponentImage);
        }
        else if (pressed)
        {
            g->DrawNinePatch(area, mDownRect, mComponentImage);
        }
        else if (mOverAlpha > 0)
        {
            if (mOverAlpha < 1)
                g->DrawNinePatch(area, mNormalRect, mComponentImage);
            g->SetTintImages(true);
            g->SetColor(Color(255, 255, 255, int(mOverAlpha * 255)));
            g->DrawNinePatch(area, mOverRect, mComponentImage);
            g->SetTintImages(false);
        }
        else
        {
            g->DrawNinePatch(area, mIsOver ? mOverRect : mNormalRect, mComponentImage);
        }
        if (pressed)
            g->Translate(mTranslateX, mTranslateY);
    }
    else
    {
        if (pressed)
            g->Translate(mTranslateX, mTranslateY);
        g->DrawNinePatch(area, mComponentImage);
    }
    if (mFont != nullptr)
    {
        g->SetFont(mFont.get());
        g->SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
        int ascent = mFont->GetAscent();
        int x = (mWidth - mFont->GetStringWidth(mLabel)) / 2 + mTextOffsetX;
        int y = mTextOffsetY + (ascent + mHeight - ascent / 6 - mFont->GetAscentPadding() - 1) / 2;
        g->DrawString(mLabel, x, y);
    }
    if (pressed)
        g->Translate(-mTranslateX, -mTranslateY);
}

} // namespace Quib
