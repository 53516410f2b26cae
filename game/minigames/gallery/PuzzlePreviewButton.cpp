#include "game/minigames/gallery/PuzzlePreviewButton.h"

#include "framework/graphics/Graphics.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/shell/CustomButtonListener.h"
#include "game/shell/Resources.h"

PuzzlePreviewButton::PuzzlePreviewButton(int index, const std::string& name, bool enabled,
                                         CustomButtonListener* listener, Quib::Image* padlock,
                                         Quib::Image* hoverFrame)
    : mEnabled(enabled), mIndex(index), mName(name), mListener(listener), mHoverFrame(hoverFrame),
      mPadlock(padlock)
{
}

void PuzzlePreviewButton::Draw(Quib::Graphics* g)
{
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->FillRect(2, 2, mWidth, mHeight);
    if (mPreview != nullptr)
        g->DrawImage(mPreview, 0, 0);
    if (!mEnabled && mPadlock != nullptr)
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(255, 255, 255, 255));
        g->DrawImage(mPadlock, 0, 0);
        g->SetTintImages(false);
    }
    if (mEnabled && mIsOver && mHoverFrame != nullptr)
        g->DrawImage(mHoverFrame, 0, 0);
}

void PuzzlePreviewButton::OnMouseEnter()
{
    PlayMiniGameSound(SFX_BUTTON_GUI_OVER);
    MarkDirty();
}

void PuzzlePreviewButton::OnMouseButtonDown(int, int, int button, int)
{
    if (!mEnabled || button != 0)
        return;
    PlayMiniGameSound(SFX_BUTTON_GUI_PRESS);
    if (mListener != nullptr)
        mListener->OnButtonClicked(mIndex);
}
