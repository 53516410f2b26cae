#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/memory/MemoryBlock.h"
#include "game/minigames/memory/MemoryBoard.h"

#include <memory>
#include <string>
#include <vector>

// The memory cards: the board model under a card widget per card.
class MemoryGame : public MiniGameWidget
{
public:
    explicit MemoryGame(const std::string& mode);
    ~MemoryGame() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void Choose(int card);
    void OnFlipFinished(int card);
    void OnResetClicked();
    // Starts the flips the model asks for that are not running yet.
    void SyncFlips();

    std::unique_ptr<MemoryBoard> mBoard;
    std::vector<std::unique_ptr<MemoryBlock>> mCards;
    int mCardWidth = 0;
    int mCardHeight = 0;
    int mFrameX = 100;
    int mFrameY = 20;
    int mLeftOffset = 70;
};
