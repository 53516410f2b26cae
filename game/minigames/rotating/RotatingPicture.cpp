#include "game/minigames/rotating/RotatingPicture.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

RotatingPicture::RotatingPicture(const std::string& mode)
{
    mLoaded = LoadGroup("MG_Rotating", &FetchGroupMgRotating);
    if (!mLoaded)
        return;
    mPicture = mode == "Mode2"   ? IMAGE_MG_ROTATING_IMAGE_MODE_2
               : mode == "Mode3" ? IMAGE_MG_ROTATING_IMAGE_MODE_3
                                 : IMAGE_MG_ROTATING_IMAGE_MODE_1;
    PlaceSkipAndReset(150, 150 + 500, 528);
    mCloseButton->Move(mCloseButton->mX + 6, mCloseButton->mY - 6);
    BindReset([this] { OnResetClicked(); });
    mTileWidth = mPicture->GetWidth() / RotatingBoard::kColumns;
    mTileHeight = mPicture->GetHeight() / RotatingBoard::kRows;
    mBoard = RotatingBoard::Shuffled();
    for (int i = 0; i < RotatingBoard::kTiles; ++i)
    {
        const Quib::Rect source((i % 4) * mTileWidth, (i / 4) * mTileHeight, mTileWidth, mTileHeight);
        mTiles[size_t(i)] = std::make_unique<RotatingBlock>(i, source, this);
    }
    PlaceTiles();
    mHelpNumber = 2;
}

RotatingPicture::~RotatingPicture()
{
    for (auto& tile : mTiles)
        tile.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Rotating");
}

int RotatingPicture::PlaceOf(const RotatingBlock* tile) const
{
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
        if (mBoard.TileAt(place).mOriginalIndex == tile->mOriginalIndex)
            return place;
    return -1;
}

void RotatingPicture::PlaceTiles()
{
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
    {
        RotatingBlock* tile = TileAt(place);
        tile->Move(mOriginX + (place % 4) * mTileWidth, mOriginY + (place / 4) * mTileHeight);
        tile->RefreshLock();
    }
}

void RotatingPicture::OnAttached(Quib::WidgetManager* manager)
{
    for (auto& tile : mTiles)
        if (tile)
            manager->AddChild(tile.get());
    MiniGameWidget::OnAttached(manager);
}

void RotatingPicture::OnDetached(Quib::WidgetManager* manager)
{
    MiniGameWidget::OnDetached(manager);
    for (auto& tile : mTiles)
        if (tile)
            manager->RemoveChild(tile.get());
}

bool RotatingPicture::IsTileLocked(const RotatingBlock& tile) const
{
    return mBoard.IsLocked(PlaceOf(&tile));
}

int RotatingPicture::TileAngle(const RotatingBlock& tile) const
{
    return mBoard.AngleAt(PlaceOf(&tile));
}

bool RotatingPicture::IsTileExchanging(const RotatingBlock& tile) const
{
    return mSwapping && (mFirstSelected == &tile || mSecondSelected == &tile);
}

void RotatingPicture::OnTileLocked(const RotatingBlock& tile)
{
    if (mFirstSelected == &tile)
        mFirstSelected = nullptr;
    if (mSecondSelected == &tile)
        mSecondSelected = nullptr;
}

void RotatingPicture::OnTileClicked(RotatingBlock& tile)
{
    if (tile.mSelected)
    {
        if (mFirstSelected == &tile)
            mFirstSelected = nullptr;
        if (mSecondSelected == &tile)
            mSecondSelected = nullptr;
        tile.mSelected = false;
        tile.mTileState = RotatingBlock::kIdle;
    }
    else if (mFirstSelected == nullptr)
    {
        mFirstSelected = &tile;
        tile.mTileState = RotatingBlock::kSelectRequested;
        tile.mSelected = true;
    }
    else if (mSecondSelected == nullptr)
    {
        mSecondSelected = &tile;
        StartSwap();
    }
}

void RotatingPicture::StartSwap()
{
    for (RotatingBlock* tile : {mFirstSelected, mSecondSelected})
        tile->StartExchange();
    mSwapDx = (mFirstSelected->mX - mSecondSelected->mX) / mSwapSteps;
    mSwapDy = (mFirstSelected->mY - mSecondSelected->mY) / mSwapSteps;
    mSwapCounter = 0;
    mSwapping = true;
    mSwapState = 1;
    PlayMiniGameSound(SFX_MG_ROTSWAP_SWAP);
}

void RotatingPicture::OnTileTurned(const RotatingBlock& tile, int direction)
{
    mBoard.Turn(PlaceOf(&tile), direction);
}

void RotatingPicture::OnResetClicked()
{
    if (IsDimming() || mSolved)
        return;
    // An exchange or a turn in progress is dropped with the layout it was changing.
    mSwapping = false;
    mSwapState = 0;
    mFirstSelected = mSecondSelected = nullptr;
    mBoard.Reset();
    for (auto& tile : mTiles)
        tile->Settle();
    PlaceTiles();
}

void RotatingPicture::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
    if (mSwapping && mSwapState == 1)
    {
        if (++mSwapCounter > mSwapSteps)
        {
            mSwapCounter = 0;
            mSwapState = 2;
        }
        mFirstSelected->Move(mFirstSelected->mX - mSwapDx, mFirstSelected->mY - mSwapDy);
        mSecondSelected->Move(mSecondSelected->mX + mSwapDx, mSecondSelected->mY + mSwapDy);
    }
    else if (mSwapping && mSwapState == 2)
    {
        mBoard.Swap(PlaceOf(mFirstSelected), PlaceOf(mSecondSelected));
        mFirstSelected->Settle();
        mSecondSelected->Settle();
        mFirstSelected = mSecondSelected = nullptr;
        mSwapping = false;
        PlaceTiles();
    }
    if (!mSwapping && mLoaded)
        mSolved = mBoard.IsSolved();
}

void RotatingPicture::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    RequestOverlayDraw(10);
}

void RotatingPicture::DrawOverlay(Quib::Graphics* g)
{
    if (IMAGE_MINI_GAME_FRAME != nullptr)
        g->DrawImage(IMAGE_MINI_GAME_FRAME, mOriginX - 6, mOriginY - 6);
}
