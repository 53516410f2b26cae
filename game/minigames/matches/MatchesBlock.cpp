#include "game/minigames/matches/MatchesBlock.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/common/PictureMask.h"
#include "game/minigames/matches/MatchesMiniGame.h"

MatchesBlock::MatchesBlock(int index, MatchesMiniGame* game) : mIndex(index), mGame(game)
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        mMasks[size_t(slot)] = MaskOfPicture(MatchesMiniGame::SlotPicture(slot));
}

int MatchesBlock::StickAt(int x, int y, bool present) const
{
    for (int slot = kSlotCount - 1; slot >= 0; --slot)
        if (mGame->mRules->HasStick(mIndex, slot) == present && mMasks[size_t(slot)].IsOpaqueAt(x, y))
            return slot;
    return -1;
}

void MatchesBlock::OnMouseEnter()
{
    mHoverSlot = -1;
}

void MatchesBlock::UpdateFraction(float)
{
    if (!mIsOver || mGame->mManager == nullptr)
        return;
    if (!mGame->mRules->IsHolding())
    {
        mHoverSlot = -1;
        return;
    }
    const int slot = StickAt(mGame->mManager->mLastMouseX - mX, mGame->mManager->mLastMouseY - mY, false);
    if (slot < 0)
        mHoverSlot = -1;
    else if (mHoverSlot < 0)
        mHoverSlot = slot;
    MarkDirty();
}

void MatchesBlock::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(11);
}

void MatchesBlock::DrawOverlay(Quib::Graphics* g)
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (mGame->mRules->HasStick(mIndex, slot))
            g->DrawImage(MatchesMiniGame::SlotPicture(slot), 0, 0);
    if (mIsOver && mHoverSlot >= 0)
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(255, 0, 0, 100));
        g->DrawImage(MatchesMiniGame::SlotPicture(mHoverSlot), 0, 0);
        g->SetTintImages(false);
    }
}

void MatchesBlock::OnMouseButtonDown(int x, int y, int button, int)
{
    if (button != 0)
        return;
    // A stick is placed only into the free slot the preview shows; without a
    // preview a click while holding meets a stick that is there, or nothing.
    const int slot = mHoverSlot >= 0 ? mHoverSlot : StickAt(x, y, true);
    if (slot >= 0)
        mGame->ClickSlot(mIndex, slot);
}
