#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/matches/MatchesBlock.h"
#include "game/minigames/matches/MatchesRules.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Image;
}

// The match-stick puzzles: the rules model under a cell widget per board cell;
// the held stick follows the pointer.
class MatchesMiniGame : public MiniGameWidget
{
public:
    explicit MatchesMiniGame(const std::string& puzzleName);
    ~MatchesMiniGame() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    void ClickSlot(int cell, int slot);
    void OnResetClicked();
    static Quib::Image* SlotPicture(int slot);

    MatchesPuzzleInfo mPuzzle;
    std::unique_ptr<MatchesRules> mRules;
    std::vector<std::unique_ptr<MatchesBlock>> mBlocks;
    std::string mMovesLabel;
    int mOriginX = 150;
    int mOriginY = 20;
    int mCellWidth = 0;
    int mCellHeight = 0;
    Quib::WidgetManager* mManager = nullptr;
};
