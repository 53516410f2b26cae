#include "game/shell/MenuItem.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/SoundEffectHost.h"

namespace
{

void PlayIfAny(int32_t soundId)
{
    if (soundId != -1 && gSoundEffectHost)
        gSoundEffectHost->PlaySoundEffect(soundId);
}

} // namespace

MenuItem::MenuItem() : mPressSound(SFX_BUTTON_PRESS), mHoverSound(SFX_BUTTON_OVER) {}

void MenuItem::SetLabelPosition(int32_t x, int32_t y)
{
    mLabelX = x;
    mLabelY = y;
}

void MenuItem::OnMouseEnter()
{
    mHovered = true;
}

void MenuItem::OnMouseLeave()
{
    mHovered = false;
    mHoverSoundArmed = true;
    mHoverFrame = 0;
    mHoverTicks = 0;
}

void MenuItem::OnMouseButtonDown(int, int, int button, int)
{
    if (mFadeState != FADE_IDLE || button == 1)
        return;
    PlayIfAny(mPressSound);
    if (mOnClick)
        mOnClick();
}

void MenuItem::UpdateFraction(float fraction)
{
    if (StepFade(mAlpha, mFadeState, fraction))
    {
        SetDisabled(true);
        SetVisible(false);
    }
    if (!mHovered)
        return;
    if (mHoverSoundArmed && mHoverSound != -1)
    {
        PlayIfAny(mHoverSound);
        mHoverSoundArmed = false;
    }
    StepHoverAnimation();
}

void MenuItem::StepHoverAnimation()
{
    const int32_t n = int32_t(mHoverFrameEnds.size());
    // Cell -1 (no frame ends) has no end tick to wait for.
    if (mHoverFrame >= 0 && mHoverFrame < n)
    {
        ++mHoverTicks;
        if (mHoverTicks > mHoverFrameEnds[size_t(mHoverFrame)])
            ++mHoverFrame;
    }
    if (mHoverLoops && mHoverFrame >= n)
    {
        mHoverFrame = 0;
        mHoverTicks = 0;
    }
    else if (mHoverFrame == n)
    {
        // Stays on the last cell; without frame ends that is cell -1, which
        // draws nothing: a picture of several cells needs its ends.
        mHoverFrame = n - 1;
    }
}

void MenuItem::Draw(Quib::Graphics* g)
{
    if (mOverlayPriority == -1)
        DrawOverlay(g);
    else
        RequestOverlayDraw(mOverlayPriority);
}

void MenuItem::DrawOverlay(Quib::Graphics* g)
{
    if (mWidgetManager)
        g->Translate(mWidgetManager->mMouseDestRect.mX, mWidgetManager->mMouseDestRect.mY);
    const Quib::Color faded(255, 255, 255, int(mAlpha));
    g->SetTintImages(true);
    g->SetColor(faded);
    if (!mHovered && mNormalPicture)
        g->DrawImage(mNormalPicture, 0, 0);
    if (mHovered && mHoverPicture)
    {
        g->SetTintImages(true);
        g->SetColor(faded);
        const int x = int(mHoverOffsetX);
        const int y = int(mHoverOffsetY);
        if (mHoverPicture->mRows * mHoverPicture->mColumns < 2)
            g->DrawImage(mHoverPicture, x, y);
        else
            g->DrawImageCell(mHoverPicture, x, y, mHoverFrame, 0);
        g->SetTintImages(false);
    }
    if (mIsDown && mPressedPicture)
        g->DrawImage(mPressedPicture, 0, 0);
    if (!mFont || mLabel.empty())
        return;
    int32_t width = mWidth;
    if (mNormalPicture)
        width = mNormalPicture->GetWidth();
    else if (mHoverPicture)
        width = mHoverPicture->GetWidth();
    g->SetFont(mFont);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    DrawColoredText(g, mLabel, mLabelX + 1, mLabelY + 3, width, mLabelJustification);
    g->SetColor(Quib::Color(mTextColor.mRed, mTextColor.mGreen, mTextColor.mBlue, int(mAlpha)));
    DrawColoredText(g, mLabel, mLabelX, mLabelY + 2, width, mLabelJustification);
}

std::unique_ptr<MenuItem> CreateMenuItem(MenuItemLook layout, Quib::Image* normalPicture)
{
    auto item = std::make_unique<MenuItem>();
    const Quib::Image* sizing = normalPicture ? normalPicture : layout.hoverPicture;
    item->Resize(layout.x, layout.y, sizing ? sizing->GetWidth() : 0, sizing ? sizing->GetHeight() : 0);
    item->mFont = FONT_BUTTON_LABELS;
    item->mTextColor = layout.textColor;
    item->mLabel = layout.label;
    item->mLabelX = layout.labelX;
    item->mLabelY = layout.labelY;
    item->mNormalPicture = normalPicture;
    item->mHoverPicture = layout.hoverPicture;
    item->mPressedPicture = layout.pressedPicture;
    item->mLabelJustification = 0;
    return item;
}
