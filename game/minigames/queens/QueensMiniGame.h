#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/queens/QueensBoard.h"
#include "game/minigames/queens/QueensPieces.h"

#include <memory>
#include <vector>

// The queens game: the board model under the strip places and the board cells.
class ToManyQueens : public MiniGameWidget
{
public:
    explicit ToManyQueens(int boardSize);
    ~ToManyQueens() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    // Plays the sound of what a click did.
    void Sound(QueensBoard::Result result);
    void OnResetClicked();

    std::unique_ptr<QueensBoard> mBoard;
    std::vector<std::unique_ptr<QueenObject>> mQueens;
    std::vector<std::unique_ptr<ChessObject>> mCells;
    int mOriginX = 150;
    int mOriginY = 20;
    int mHeldQueenX = 0;
    int mHeldQueenY = 0;
    int mStorageX = 0;
    int mStorageY = 0;
    int mBoardX = 0;
    int mBoardY = 0;
};
