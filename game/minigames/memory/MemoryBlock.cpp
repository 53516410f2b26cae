#include "game/minigames/memory/MemoryBlock.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/minigames/memory/MemoryGame.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"

#include <algorithm>
#include <variant>

namespace
{

std::unique_ptr<ActionSequence> Flip(int* cell, int from, int delta, int cells)
{
    std::unique_ptr<Action> flip =
        Then(std::make_unique<Setter<int>>(cell, from),
             std::make_unique<RelIncrementator<int>>(ActionTimer(cells * 50), cell, delta));
    return std::unique_ptr<ActionSequence>(static_cast<ActionSequence*>(flip.release()));
}

} // namespace

MemoryBlock::MemoryBlock(int index, int face, MemoryGame* game) : mIndex(index), mGame(game)
{
    SetFace(face);
    const int n = CellCount();
    mFlipUp = Flip(&mCell, 0, n - 1, n);
    mFlipDown = Flip(&mCell, n - 1, 1 - n, n);
}

MemoryBlock::~MemoryBlock() = default;

int MemoryBlock::CellCount() const
{
    return mPicture != nullptr ? std::max(1, int(mPicture->mColumns)) : 1;
}

void MemoryBlock::SetFace(int face)
{
    mFace = face;
    mPictureId = IMAGE_MG_MEMORY_CARD_VASE_ID + face;
    ResourceValue value = GetResourceById(mPictureId);
    Quib::Image* const* image = std::get_if<Quib::Image*>(&value);
    mPicture = image != nullptr ? *image : nullptr;
}

void MemoryBlock::StartFlip(bool up)
{
    ActionSequence& start = up ? *mFlipUp : *mFlipDown;
    ActionSequence& other = up ? *mFlipDown : *mFlipUp;
    if (start.IsRunning())
        return;
    other.Stop();
    start.Start(this, up ? 1 : 0);
}

void MemoryBlock::OnActionFinished(int)
{
    mGame->OnFlipFinished(mIndex);
}

void MemoryBlock::UpdateFraction(float)
{
    if (mFlipUp->IsRunning())
        mFlipUp->Update();
    if (mFlipDown->IsRunning())
        mFlipDown->Update();
    mCell = std::clamp(mCell, 0, CellCount() - 1);
    MarkDirty();
}

void MemoryBlock::Draw(Quib::Graphics* g)
{
    if (mPicture == nullptr)
        return;
    g->DrawImageCell(mPicture, -14, -14, 0, mCell);
    if (mIsOver && mCell == 0 && IMAGE_MG_MEMORY_CARD_OVER != nullptr)
        g->DrawImage(IMAGE_MG_MEMORY_CARD_OVER, -14, -14);
}

void MemoryBlock::OnMouseButtonDown(int, int, int, int)
{
    mGame->Choose(mIndex);
}
