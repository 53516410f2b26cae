#include "game/play/hud/HintWidget.h"

#include "framework/graphics/Graphics.h"
#include "game/play/hud/SceneHudOwner.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/SoundEffectHost.h"

#include <algorithm>

namespace
{

Quib::Image* const* const kCountPictures[HintWidget::kMaxHints + 1] = {
    &IMAGE_GUI_BUTTON_HINT_0, &IMAGE_GUI_BUTTON_HINT_1, &IMAGE_GUI_BUTTON_HINT_2, &IMAGE_GUI_BUTTON_HINT_3,
    &IMAGE_GUI_BUTTON_HINT_4, &IMAGE_GUI_BUTTON_HINT_5, &IMAGE_GUI_BUTTON_HINT_6};
// The glow under the counter; none for an empty counter.
Quib::Image* const* const kOverPictures[HintWidget::kMaxHints + 1] = {nullptr,
                                                                      &IMAGE_GUI_BUTTON_HINT_OVER_1,
                                                                      &IMAGE_GUI_BUTTON_HINT_OVER_2,
                                                                      &IMAGE_GUI_BUTTON_HINT_OVER_3,
                                                                      &IMAGE_GUI_BUTTON_HINT_OVER_4,
                                                                      &IMAGE_GUI_BUTTON_HINT_OVER_5,
                                                                      &IMAGE_GUI_BUTTON_HINT_OVER_6};

void PlaySound(int32_t soundId)
{
    if (gSoundEffectHost != nullptr)
        gSoundEffectHost->PlaySoundEffect(soundId);
}

void DrawIfAny(Quib::Graphics* g, Quib::Image* picture)
{
    if (picture != nullptr)
        g->DrawImage(picture, 0, 0);
}

} // namespace

void HintWidget::AddHint()
{
    ++mCount;
    if (PlayerProfile* profile = gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr)
        profile->SetHints(mCount);
}

void HintWidget::UseHint()
{
    if (mCount > 0)
        --mCount;
}

void HintWidget::SetCount(int32_t count)
{
    mCount = std::clamp(count, 0, kMaxHints);
}

void HintWidget::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(5);
}

void HintWidget::DrawOverlay(Quib::Graphics* g)
{
    if (mCount < 0 || mCount > kMaxHints)
        return;
    if (mIsOver && mCount >= 1)
        DrawIfAny(g, *kOverPictures[mCount]);
    DrawIfAny(g, *kCountPictures[mCount]);
    if (IMAGE_GUI_BUTTON_HINT_NUMS != nullptr)
        g->DrawImageCell(IMAGE_GUI_BUTTON_HINT_NUMS, 46, 42, mCount);
}

void HintWidget::OnMouseEnter()
{
    PlaySound(SFX_BUTTON_GUI_OVER);
}

void HintWidget::OnMouseDown(int, int, int)
{
    if ((mOwner != nullptr && mOwner->IsAnimating()) || mCount <= 0 || mHintRequested)
        return;
    PlaySound(SFX_BUTTON_GUI_PRESS);
    mHintRequested = true;
}
