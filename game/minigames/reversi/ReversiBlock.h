#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ActionSequence.h"

#include <memory>

class MiniGameReversi;

// One cell of the Reversi board. Its disc turns through the cells of the
// mode's strip: the first shows the computer's colour, the last the player's.
class ReversiBlock : public Quib::Widget
{
public:
    ReversiBlock(int index, int modeNumber, MiniGameReversi* game);
    ~ReversiBlock() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    // Turns the disc toward a colour; a turn still running the other way is
    // stopped first, so that the two never write the frame together.
    void StartFlip(int colour);
    // The disc at rest in its colour (none when empty), any turn stopped.
    void Settle();
    bool IsFlipping() const { return mFlipToComputer->IsRunning() || mFlipToPlayer->IsRunning(); }

    std::unique_ptr<ActionSequence> mFlipToComputer;
    std::unique_ptr<ActionSequence> mFlipToPlayer;
    MiniGameReversi* mGame;
    int mIndex;
    int mFrame = -1;
    int mModeNumber;

private:
    int LastFrame() const;
    int RestingFrame() const;
};
