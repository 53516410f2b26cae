#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/scramble/LetterScrambleBoard.h"
#include "game/minigames/scramble/LetterScrambleItem.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// The anagram: the scramble model under a row of letter tiles; two selected
// tiles pass each other on a half circle, then exchange their letters.
class LetterScramble : public MiniGameWidget
{
public:
    LetterScramble();
    ~LetterScramble() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void SelectTile(int tile);
    void OnResetClicked();

    enum SwapState
    {
        SWAP_IDLE,
        SWAP_REQUESTED,
        SWAP_MOVING
    };
    int mSwapState = SWAP_IDLE;
    LetterScrambleBoard mBoard;
    std::vector<std::unique_ptr<LetterScrambleItem>> mTiles;
    float mBackgroundX = 150;
    float mBackgroundY = 20;
    std::array<SwapOffset, 12> mSwapPath{};
    int mFrameCounter = 0;
    int mSwapStep = 0;
    int mFirstStartX = 0;
    int mFirstStartY = 0;
    int mSecondStartX = 0;
    int mSecondStartY = 0;

private:
    void StepSwap();
};
