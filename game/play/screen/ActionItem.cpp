#include "game/play/screen/ActionItem.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/play/screen/ActionItemOwner.h"
#include "game/play/screen/ItemLabel.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/AnimatedWidget.h"
#include "game/shell/LoopAction.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int32_t kItemPriority = 5;
constexpr int32_t kEdgeLegMs = 700;
constexpr int32_t kGlowStepMs = 400;
const ItemLabel::Bounds kLabelBounds{760, 80, 580, 576, 20};

int32_t CellHeight(Quib::Image* strip)
{
    return strip != nullptr && strip->mRows > 0 ? strip->GetHeight() / strip->mRows : 0;
}

} // namespace

ActionItem::ActionItem(ActionItemOwner* owner, Quib::Image* image, bool quiet) : mOwner(owner), mImage(image)
{
    mCreatedEffect = std::make_unique<AnimatedWidget>();
    mCreatedEffect->SetAnimation(PARTICLE_ACTION_ITEM_CREATED);
    if (!quiet)
        mCreatedEffect->mState = AnimatedWidget::STATE_PLAYING;
    mOverEffect = std::make_unique<AnimatedWidget>();
    mOverEffect->EnableSpin();
    mOverEffect->SetAnimation(PARTICLE_ACTION_ITEM_OVER);
    const PlayerProfile* profile =
        gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr;
    if (profile != nullptr && profile->mLevel <= 1)
        mLabel = std::make_unique<ItemLabel>(StringTable::GetInstance().Lookup("LBL_ACTION_ITEM_ON_LEVEL1"));
    if (owner != nullptr && owner->GetSceneName() == "Scene1")
    {
        mGlowLoop = std::make_unique<LoopAction>(
            steps::InOrder(steps::Set(&mGlowAlpha, 255), steps::Tween(&mGlowAlpha, -155, kGlowStepMs),
                           steps::Set(&mGlowAlpha, 100), steps::Tween(&mGlowAlpha, 155, kGlowStepMs)));
        mGlowLoop->Start(nullptr, 0);
    }
}

ActionItem::~ActionItem() = default;

void ActionItem::BuildEdgeSparkle()
{
    mOverX = int32_t(-0.5 * mOverEffect->mWidth);
    mOverY = int32_t(-0.5 * CellHeight(PARTICLE_ACTION_ITEM_OVER));
    auto edges = steps::InOrder(
        steps::Tween(&mOverX, mWidth, kEdgeLegMs), steps::Tween(&mOverY, mHeight, kEdgeLegMs),
        steps::Tween(&mOverX, -mWidth, kEdgeLegMs), steps::Tween(&mOverY, -mHeight, kEdgeLegMs));
    mEdgeSparkle = steps::InOrder(steps::Together(steps::Set(&mOverX, mOverX), steps::Set(&mOverY, mOverY)),
                                  std::make_unique<LoopAction>(std::move(edges)));
    mOverEffect->mState = AnimatedWidget::STATE_PLAYING;
    mEdgeSparkle->Start(nullptr, 0);
}

bool ActionItem::IsSelected() const
{
    return mOwner != nullptr && mOwner->IsHeldSelected();
}

void ActionItem::UpdateFraction(float)
{
    if (mGlowLoop)
    {
        mGlowLoop->Update();
        mGlowAlpha = std::clamp(mGlowAlpha, 0, 255);
    }
    if (mEdgeSparkle)
    {
        if (!mEdgeSparkle->IsRunning() && !IsSelected())
        {
            mOverEffect->mState = AnimatedWidget::STATE_PLAYING;
            mEdgeSparkle->Start(nullptr, 0);
        }
        else if (mEdgeSparkle->IsRunning() && IsSelected())
        {
            mOverEffect->mState = AnimatedWidget::STATE_ENDED;
            mEdgeSparkle->Stop();
        }
        if (mEdgeSparkle->IsRunning())
            mEdgeSparkle->Update();
    }
    mCreatedEffect->Update();
    mOverEffect->Update();
}

void ActionItem::Draw(Quib::Graphics* g)
{
    // Hidden while the display is out (a mini-game, the pause menu, leaving).
    if (mImage == nullptr || !mVisible)
        return;
    RequestOverlayDraw(kItemPriority);
    DrawOverlay(g);
}

void ActionItem::DrawOverlay(Quib::Graphics* g)
{
    if (mImage == nullptr || !mVisible)
        return;
    const bool selected = IsSelected();
    if (!selected)
    {
        const bool glowing = mGlowLoop && mGlowLoop->IsRunning() && !mIsOver;
        g->SetTintImages(glowing);
        g->SetColor(Quib::Color(255, 255, 255, glowing ? mGlowAlpha : 255));
        g->DrawImage(mImage, 0, 0);
        g->SetTintImages(false);
    }
    if (mCreatedEffect->mState == AnimatedWidget::STATE_PLAYING)
    {
        const int dx = mWidth / 2 - mCreatedEffect->mWidth / 2,
                  dy = mHeight / 2 - mCreatedEffect->mHeight / 2;
        g->Translate(dx, dy);
        mCreatedEffect->Draw(g);
        g->Translate(-dx, -dy);
    }
    if (mOverEffect->mState == AnimatedWidget::STATE_PLAYING && !selected)
    {
        g->Translate(mOverX, mOverY);
        mOverEffect->Draw(g);
        g->Translate(-mOverX, -mOverY);
    }
    if (mIsOver && mLabel)
    {
        const auto [dx, dy] = mLabel->OffsetOver(mX, mY, mWidth, kLabelBounds);
        g->Translate(dx, dy);
        mLabel->Draw(g);
        g->Translate(-dx, -dy);
    }
}

void ActionItem::OnMouseButtonDown(int, int, int button, int)
{
    if (mOwner == nullptr || !mVisible || mOwner->IsScreenAnimating() ||
        mCreatedEffect->mState == AnimatedWidget::STATE_PLAYING)
        return;
    if (gSharkInterface != nullptr)
        gSharkInterface->PlaySoundEffect(SFX_ACTION_ITEM_SELECTED);
    if (button == 0)
        mOwner->ToggleHeldSelection();
    else if (button == 1)
        mOwner->DeselectHeldItem();
}
