#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/sokoban/SokobanBoard.h"
#include "game/minigames/sokoban/SokobanPieces.h"

#include <memory>
#include <string>
#include <vector>

// The box-pushing game: the board model under 64 cell widgets and a box widget
// with four arrows per barrel.
class MiniGameSokoban : public MiniGameWidget
{
public:
    explicit MiniGameSokoban(const std::string& mode);
    ~MiniGameSokoban() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void Move(int x, int y) override;

    void Push(int box, int arrow);
    void OnResetClicked();
    void UpdateAllArrows();

    std::string mMode;
    std::unique_ptr<SokobanBoard> mBoard;
    std::vector<std::unique_ptr<SokobanBlock>> mBlocks;
    std::vector<std::unique_ptr<SokobanBox>> mBoxes;

private:
    void BuildBoxes();
    Quib::WidgetManager* mManager = nullptr;
};
