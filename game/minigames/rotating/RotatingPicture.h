#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/rotating/RotatingBlock.h"
#include "game/minigames/rotating/RotatingBlockOwner.h"
#include "game/minigames/rotating/RotatingBoard.h"

#include <array>
#include <memory>
#include <string>

namespace Quib
{
class Image;
}

// The rotating tiles: the board model under 16 tile widgets, with the turns
// and exchanges animated.
class RotatingPicture : public MiniGameWidget, public RotatingBlockOwner
{
public:
    explicit RotatingPicture(const std::string& mode);
    ~RotatingPicture() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    bool IsTileLocked(const RotatingBlock& tile) const override;
    int TileAngle(const RotatingBlock& tile) const override;
    Quib::Image* TilePicture() const override { return mPicture; }
    bool TakesTileInput() const override { return AcceptsInput(); }
    bool IsExchanging() const override { return mSwapping; }
    bool IsTileExchanging(const RotatingBlock& tile) const override;
    // A left click on a tile: select, deselect, or exchange with the selection.
    void OnTileClicked(RotatingBlock& tile) override;
    // The turn of a tile has ended: the model takes it.
    void OnTileTurned(const RotatingBlock& tile, int direction) override;
    void OnTileLocked(const RotatingBlock& tile) override;
    void StartSwap();
    void OnResetClicked();
    int PlaceOf(const RotatingBlock* tile) const;
    RotatingBlock* TileAt(int place) { return mTiles[size_t(mBoard.TileAt(place).mOriginalIndex)].get(); }
    void PlaceTiles();

    RotatingBoard mBoard;
    std::array<std::unique_ptr<RotatingBlock>, RotatingBoard::kTiles> mTiles; // by original index
    Quib::Image* mPicture = nullptr;
    int mOriginX = 150;
    int mOriginY = 20;
    int mTileWidth = 0;
    int mTileHeight = 0;
    RotatingBlock* mFirstSelected = nullptr;
    RotatingBlock* mSecondSelected = nullptr;
    bool mSwapping = false;
    int mSwapState = 0;
    int mSwapDx = 0;
    int mSwapDy = 0;
    int mSwapSteps = 20;
    int mSwapCounter = 0;
};
