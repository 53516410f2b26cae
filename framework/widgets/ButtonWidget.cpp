#include "framework/widgets/ButtonWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/ControlFont.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Quib
{

ButtonWidget::ButtonWidget(int id, ButtonListener* listener) : mId(id), mButtonListener(listener)
{
    mHasAlpha = true;
    static constexpr int kColors[][3] = {{0, 0, 0},       {0, 0, 0},       {0, 0, 0},
                                         {255, 255, 255}, {132, 132, 132}, {212, 212, 212}};
    SetColorsRGB(kColors, 6);
}

void ButtonWidget::DrawStateImage(Graphics* g, Image* image, const Rect& srcRect, int x, int y)
{
    if (srcRect.mWidth != 0)
        g->DrawImage(mNormalImage, x, y, srcRect);
    else
        g->DrawImage(image, x, y);
}

void ButtonWidget::SetFont(Font* font)
{
    mFont.reset(font != nullptr ? font->Clone() : nullptr);
}

bool ButtonWidget::IsPressedAndHovered() const
{
    return mIsDown && mIsOver && !mDisabled;
}

void ButtonWidget::Draw(Graphics* g)
{
    if (mBtnNoDraw)
        return;
    if (mFont == nullptr && !mLabel.empty())
        mFont = MakeControlFont(10, 0);
    bool pressed = IsPressedAndHovered();
    if (mInverted)
        pressed = !pressed;

    int labelX = 0;
    int labelY = 0;
    if (mFont != nullptr)
    {
        int labelWidth = mFont->GetStringWidth(mLabel);
        if (mLabelJustify == 0)
            labelX = (mWidth - labelWidth) / 2;
        else if (mLabelJustify == 1)
            labelX = mWidth - labelWidth;
        int ascent = mFont->GetAscent();
        labelY = (ascent + mHeight - ascent / 6 - 1) / 2;
    }
    g->SetFont(mFont.get());

    const bool hovered = mIsOver;
    if (mNormalImage != nullptr || mDownImage != nullptr)
    {
        if (pressed)
        {
            if (HaveDownState())
                DrawStateImage(g, mDownImage, mDownRect, 0, 0);
            else if (HaveOverState())
                DrawStateImage(g, mOverImage, mOverRect, 1, 1);
            else if (HaveNormalState())
                DrawStateImage(g, mNormalImage, mNormalRect, 1, 1);
            g->SetColor(GetColor(COLOR_LABEL_HILITE));
            labelX += 1;
            labelY += 1;
        }
        else
        {
            if (mDisabled && HaveDisabledState())
            {
                DrawStateImage(g, mDisabledImage, mDisabledRect, 0, 0);
            }
            else if (mOverAlpha > 0 && HaveOverState())
            {
                if (HaveNormalState() && mOverAlpha < 1)
                    DrawStateImage(g, mNormalImage, mNormalRect, 0, 0);
                g->SetTintImages(true);
                g->SetColor(Color(255, 255, 255, int(mOverAlpha * 255)));
                DrawStateImage(g, mOverImage, mOverRect, 0, 0);
                g->SetTintImages(false);
            }
            else if ((hovered || mIsDown) && HaveOverState())
            {
                DrawStateImage(g, mOverImage, mOverRect, 0, 0);
            }
            else if (HaveNormalState())
            {
                DrawStateImage(g, mNormalImage, mNormalRect, 0, 0);
            }
            g->SetColor(GetColor(hovered ? COLOR_LABEL_HILITE : COLOR_LABEL));
        }
    }
    else
    {
        const int w = mWidth;
        const int h = mHeight;
        if (!mFrameNoDraw)
        {
            g->SetColor(GetColor(COLOR_BKG));
            g->FillRect(0, 0, w, h);
        }
        if (pressed)
        {
            if (!mFrameNoDraw)
            {
                g->SetColor(GetColor(COLOR_DARK_OUTLINE));
                g->FillRect(0, 0, w - 1, 1);
                g->FillRect(0, 0, 1, h - 1);
                g->SetColor(GetColor(COLOR_LIGHT_OUTLINE));
                g->FillRect(0, h - 1, w, 1);
                g->FillRect(w - 1, 0, 1, h);
                g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
                g->FillRect(1, 1, w - 3, 1);
                g->FillRect(1, 1, 1, h - 3);
            }
            labelX += 1;
            labelY += 1;
        }
        else if (!mFrameNoDraw)
        {
            g->SetColor(GetColor(COLOR_LIGHT_OUTLINE));
            g->FillRect(0, 0, w - 1, 1);
            g->FillRect(0, 0, 1, h - 1);
            g->SetColor(GetColor(COLOR_DARK_OUTLINE));
            g->FillRect(0, h - 1, w, 1);
            g->FillRect(w - 1, 0, 1, h);
            g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
            g->FillRect(1, h - 2, w - 2, 1);
            g->FillRect(w - 2, 1, 1, h - 2);
        }
        g->SetColor(GetColor(hovered ? COLOR_LABEL_HILITE : COLOR_LABEL));
    }
    g->DrawString(mLabel, labelX, labelY);
}

void ButtonWidget::SetDisabled(bool disabled)
{
    bool changed = disabled != mDisabled;
    Widget::SetDisabled(disabled);
    if (changed && HaveDisabledState())
        MarkDirty();
}

void ButtonWidget::MarkDirtyForHover()
{
    if (mIsDown || HaveOverState() || GetColor(COLOR_LABEL) != GetColor(COLOR_LABEL_HILITE))
        MarkDirty();
}

void ButtonWidget::OnMouseEnter()
{
    if (mOverAlphaFadeInSpeed == 0 && mOverAlpha > 0)
        mOverAlpha = 0;
    MarkDirtyForHover();
    if (mButtonListener != nullptr)
        mButtonListener->OnButtonMouseEnter(mId);
}

void ButtonWidget::OnMouseLeave()
{
    if (mOverAlphaSpeed == 0 && mOverAlpha > 0)
        mOverAlpha = 0;
    else if (mOverAlphaSpeed > 0 && mOverAlpha == 0)
        mOverAlpha = 1;
    MarkDirtyForHover();
    if (mButtonListener != nullptr)
        mButtonListener->OnButtonMouseLeave(mId);
}

void ButtonWidget::OnMouseMove(int x, int y)
{
    if (mButtonListener != nullptr)
        mButtonListener->OnButtonMouseMove(mId, x, y);
}

void ButtonWidget::OnMouseButtonDown(int, int, int, int clickCount)
{
    if (mButtonListener != nullptr)
        mButtonListener->OnButtonDown(mId, clickCount);
    MarkDirty();
}

void ButtonWidget::OnMouseButtonUp(int, int, int, int)
{
    if (mIsOver && mWidgetManager != nullptr && mWidgetManager->mHasFocus && mButtonListener != nullptr)
        mButtonListener->OnButtonReleased(mId);
    MarkDirty();
}

void ButtonWidget::Update()
{
    Widget::Update();
    if (mIsDown && mIsOver && mButtonListener != nullptr)
        mButtonListener->OnButtonHeld(mId);
    if (!mIsDown && !mIsOver && mOverAlpha > 0)
    {
        mOverAlpha = mOverAlphaSpeed > 0 ? std::max(0.0, mOverAlpha - mOverAlphaSpeed) : 0.0;
        MarkDirty();
    }
    else if (mIsOver && mOverAlphaFadeInSpeed > 0 && mOverAlpha < 1)
    {
        mOverAlpha = std::min(1.0, mOverAlpha + mOverAlphaFadeInSpeed);
        MarkDirty();
    }
}

} // namespace Quib
