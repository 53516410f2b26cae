#include "game/minigames/reversi/ReversiBlock.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/minigames/reversi/MiniGameReversi.h"
#include "game/minigames/reversi/ReversiBoard.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"

#include <algorithm>

namespace
{

std::unique_ptr<ActionSequence> Flip(int* frame, int from, int delta)
{
    const int steps = delta < 0 ? -delta : delta;
    std::unique_ptr<Action> flip =
        Then(std::make_unique<Setter<int>>(frame, from),
             std::make_unique<RelIncrementator<int>>(ActionTimer(5 * steps), frame, delta));
    return std::unique_ptr<ActionSequence>(static_cast<ActionSequence*>(flip.release()));
}

} // namespace

ReversiBlock::ReversiBlock(int index, int modeNumber, MiniGameReversi* game)
    : mGame(game), mIndex(index), mModeNumber(modeNumber)
{
    const int n = LastFrame();
    mFlipToPlayer = Flip(&mFrame, 0, n);
    mFlipToComputer = Flip(&mFrame, n, -n);
}

ReversiBlock::~ReversiBlock() = default;

int ReversiBlock::LastFrame() const
{
    Quib::Image* strip = mGame->DiscStrip();
    return strip != nullptr ? std::max(0, int(strip->mRows) - 1) : 0;
}

int ReversiBlock::RestingFrame() const
{
    const int colour = mGame->mBoard.GetColour(mIndex);
    if (colour == ReversiBoard::kPlayer)
        return LastFrame();
    return colour == ReversiBoard::kComputer ? 0 : -1;
}

void ReversiBlock::StartFlip(int colour)
{
    ActionSequence& start = colour == ReversiBoard::kPlayer ? *mFlipToPlayer : *mFlipToComputer;
    ActionSequence& other = colour == ReversiBoard::kPlayer ? *mFlipToComputer : *mFlipToPlayer;
    other.Stop();
    start.Start(nullptr, colour == ReversiBoard::kPlayer ? 11 : 10);
}

void ReversiBlock::Settle()
{
    mFlipToPlayer->Stop();
    mFlipToComputer->Stop();
    mFrame = RestingFrame();
}

void ReversiBlock::UpdateFraction(float)
{
    if (mFlipToComputer->IsRunning())
        mFlipToComputer->Update();
    if (mFlipToPlayer->IsRunning())
        mFlipToPlayer->Update();
    if (IsFlipping())
        mFrame = std::clamp(mFrame, 0, LastFrame());
    else
        mFrame = RestingFrame();
    MarkDirty();
}

void ReversiBlock::Draw(Quib::Graphics* g)
{
    if (mGame->mBoard.IsLegal(mIndex) && !mGame->mBoard.IsComputerTurn() && IMAGE_MG_REVERSI_ACTIVE_BLOCK)
        g->DrawImage(IMAGE_MG_REVERSI_ACTIVE_BLOCK, 0, 0);
    Quib::Image* strip = mGame->DiscStrip();
    if (strip != nullptr && mGame->mBoard.GetColour(mIndex) != ReversiBoard::kEmpty && mFrame >= 0)
        g->DrawImageCell(strip, 0, 0, mFrame, 0);
}

void ReversiBlock::OnMouseButtonDown(int, int, int button, int)
{
    if (button != 0 || IsFlipping())
        return;
    mGame->PlayerClicked(mIndex);
}
