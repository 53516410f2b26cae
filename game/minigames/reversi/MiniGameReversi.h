#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/reversi/ReversiBlock.h"
#include "game/minigames/reversi/ReversiBoard.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Image;
}

// Reversi against the computer: the board model under 64 cell widgets. The
// computer answers 51 updates after the player's move; a draw or a loss shows
// its own end dialog and leaves the game unsolved.
class MiniGameReversi : public MiniGameWidget
{
public:
    explicit MiniGameReversi(int mode);
    ~MiniGameReversi() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    // A left click on a cell during the player's turn.
    void PlayerClicked(int cell);
    void PlayComputerTurn();
    void OnResetClicked();
    void UpdateCounts();
    // The mode's strip of disc pictures.
    Quib::Image* DiscStrip() const;

    ReversiBoard mBoard;
    std::vector<std::unique_ptr<ReversiBlock>> mCells;
    int mOriginX = 150;
    int mOriginY = 20;
    int mCellSize = 0;
    int mColumns = ReversiBoard::kSize;
    int mRows = ReversiBoard::kSize;
    bool mDraw = false;
    bool mLost = false;
    int mPlayerCount = 0;
    int mComputerCount = 0;
    int mModeNumber = 1;
    std::string mPlayerLabel;
    std::string mComputerLabel;

private:
    // Starts the turn of every disc whose colour changed since `before`.
    void FlipChanged(const std::array<int, ReversiBoard::kCells>& before);
    std::array<int, ReversiBoard::kCells> Colours() const;
};
