#include "game/play/map/ScenePreviewButton.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/play/map/ScenePreviewOwner.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/records/PlayerProfile.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/Resources.h"
#include "game/shell/SoundEffectHost.h"

namespace
{

constexpr int kSlideMs = 200;
constexpr int32_t kSlideDistance = 168;

} // namespace

ScenePreviewButton::ScenePreviewButton(int32_t index, const std::string& sceneName,
                                       const std::string& caption, ScenePreviewOwner* map,
                                       CustomButtonListener* listener,
                                       std::unique_ptr<Quib::Image> hoverPicture)
    : mSceneName(sceneName), mCaption(caption), mIndex(index), mListener(listener), mMap(map),
      mHoverPicture(std::move(hoverPicture)), mCompletedPicture(IMAGE_MAP_SCENE_COMPLETED)
{
    const int32_t hoverWidth = mHoverPicture ? mHoverPicture->GetWidth() : 0;
    const int32_t captionWidth =
        FONT_SCENE_LABELS != nullptr ? FONT_SCENE_LABELS->GetStringWidth(mCaption) : 0;
    mCaptionX = int32_t(float(hoverWidth) * 0.5f) - int32_t(float(captionWidth) * 0.5f);
    BuildSlideSequences();
}

ScenePreviewButton::~ScenePreviewButton() = default;

void ScenePreviewButton::BuildSlideSequences()
{
    using namespace steps;
    mSlideIn = InOrder(Set(&mSlideY, kHiddenY), Tween(&mSlideY, kSlideDistance, kSlideMs));
    mSlideOut = InOrder(Set(&mSlideY, kShownY), Tween(&mSlideY, -kSlideDistance, kSlideMs));
}

bool ScenePreviewButton::IsSliding() const
{
    return mSlideIn->IsRunning() || mSlideOut->IsRunning();
}

void ScenePreviewButton::UpdateFromPlayfield(const SandboxWidget& playfield, PlayerProfile* profile,
                                             bool finaleDone)
{
    mItemsLeft = playfield.GetItemsLeft();
    mPiecesLeft = playfield.mModel.PiecesLeft();
    mMiniGameDone = playfield.IsMiniGameDone();
    mSecondVisit = playfield.mSecondVisit;
    const SceneProgress* record =
        profile != nullptr ? profile->mLevelProgress.FindScene(playfield.GetSceneName()) : nullptr;
    mCompleted = record != nullptr && (mSecondVisit ? record->mDoneSecondVisit : record->mDoneFirstVisit);
    // The last scene leads on to the finale: it stays open until the finale has been played.
    if (!finaleDone)
        mCompleted = false;
}

void ScenePreviewButton::UpdateFraction(float)
{
    Action* running = mSlideIn->IsRunning()    ? mSlideIn.get()
                      : mSlideOut->IsRunning() ? mSlideOut.get()
                                               : nullptr;
    if (running == nullptr)
        return;
    running->Update();
    Move(mX, mSlideY);
}

void ScenePreviewButton::Draw(Quib::Graphics* g)
{
    g->SetColor(Quib::Color(255, 255, 255, 255));
    if (mIsOver)
    {
        if (mHoverPicture)
            g->DrawImage(mHoverPicture.get(), 0, 0);
        Quib::Image* marker = IMAGE_MAP_SCENE_MARKER;
        if (!IsSliding() && marker != nullptr)
            g->DrawImageSubpixel(marker, float(mMarkerX) - float(marker->GetWidth()) * 0.5f,
                                 float(mMarkerY) - float(marker->GetHeight()) * 0.5f);
    }
    else if (mPicture)
    {
        g->DrawImage(mPicture.get(), 0, 0);
    }
    if (mCompleted)
    {
        g->SetColor(Quib::Color(255, 255, 255, 150));
        g->SetTintImages(true);
        g->DrawImage(mCompletedPicture, 0, 0);
        g->SetTintImages(false);
        g->SetColor(Quib::Color(255, 255, 255, 255));
    }
    if (mLocked)
        g->DrawImage(IMAGE_MAP_SCENE_NOT_ACCESSIBLE, 0, 0);
    g->SetFont(FONT_SCENE_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(mCaption, mCaptionX + 1, 1);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(mCaption, mCaptionX, 0);
}

void ScenePreviewButton::OnMouseEnter()
{
    PlayGameSound(SFX_MAP_PREVIEW_OVER);
}

void ScenePreviewButton::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 1 || mLocked || mCompleted || mMap->IsAnimating() || IsSliding())
        return;
    PlayGameSound(SFX_MAP_PREVIEW_CLICK);
    mMap->OpenSceneAfterFade(mIndex);
}
