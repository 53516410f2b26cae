#include "game/minigames/scramble/LetterScramble.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

namespace
{

constexpr int kTileSize = 25;
constexpr int kRowY = 250;

LetterScrambleBoard ChooseWord()
{
    std::vector<std::string> words;
    for (int i = 0; i < 10; ++i)
        words.push_back(StringTable::GetInstance().Lookup("MINIGAME_WORD_" + std::to_string(i)));
    return LetterScrambleBoard::Choose(words);
}

} // namespace

LetterScramble::LetterScramble() : mBoard(std::string())
{
    mLoaded = LoadGroup("MG_LetterScramble", &FetchGroupMgLetterScramble);
    if (!mLoaded)
        return;
    mBoard = ChooseWord();
    BindReset([this] { OnResetClicked(); });
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    for (int i = 0; i < mBoard.GetTileCount(); ++i)
    {
        auto tile = std::make_unique<LetterScrambleItem>(i, this);
        tile->Resize(mBoard.TileX(i), kRowY, kTileSize, kTileSize);
        mTiles.push_back(std::move(tile));
    }
    mHelpNumber = 11;
}

LetterScramble::~LetterScramble()
{
    mTiles.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_LetterScramble");
}

void LetterScramble::OnAttached(Quib::WidgetManager* manager)
{
    for (auto& tile : mTiles)
        manager->AddChild(tile.get());
    MiniGameWidget::OnAttached(manager);
}

void LetterScramble::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& tile : mTiles)
        manager->RemoveChild(tile.get());
    MiniGameWidget::OnDetached(manager);
}

void LetterScramble::SelectTile(int tile)
{
    if (!AcceptsInput() || mSwapState != SWAP_IDLE)
        return;
    switch (mBoard.Select(tile))
    {
    case LetterScrambleBoard::SelectResult::Selected:
    case LetterScrambleBoard::SelectResult::Deselected:
        PlayMiniGameSound(SFX_MG_LETTER_CLICK);
        break;
    case LetterScrambleBoard::SelectResult::Swapping:
        PlayMiniGameSound(SFX_MG_LETTER_SWITCH);
        mSwapState = SWAP_REQUESTED;
        break;
    case LetterScrambleBoard::SelectResult::Ignored:
        break;
    }
    mTiles[size_t(tile)]->MarkDirty();
}

void LetterScramble::OnResetClicked()
{
    if (IsDimming() || !AcceptsInput())
        return;
    mBoard.Reset();
    for (auto& tile : mTiles)
        tile->MarkDirty();
}

void LetterScramble::StepSwap()
{
    if (++mFrameCounter < 2)
        return;
    mFrameCounter = 0;
    LetterScrambleItem* first = mTiles[size_t(mBoard.GetFirst())].get();
    LetterScrambleItem* second = mTiles[size_t(mBoard.GetSecond())].get();
    if (++mSwapStep < int(mSwapPath.size()))
    {
        const SwapOffset& offset = mSwapPath[size_t(mSwapStep)];
        first->Move(mFirstStartX + offset.mX, mFirstStartY + offset.mY);
        second->Move(mSecondStartX - offset.mX, mSecondStartY - offset.mY);
        return;
    }
    // The tiles never leave their places in the row: back home, the letters change.
    first->Move(mFirstStartX, mFirstStartY);
    second->Move(mSecondStartX, mSecondStartY);
    mBoard.FinishSwap();
    mSolved = mBoard.IsSolved();
    mSwapState = SWAP_IDLE;
    first->MarkDirty();
    second->MarkDirty();
}

void LetterScramble::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
    if (mSwapState == SWAP_REQUESTED)
    {
        const LetterScrambleItem& first = *mTiles[size_t(mBoard.GetFirst())];
        const LetterScrambleItem& second = *mTiles[size_t(mBoard.GetSecond())];
        mSwapPath = BuildSwapPath(first.mX, second.mX);
        mFirstStartX = first.mX;
        mFirstStartY = first.mY;
        mSecondStartX = second.mX;
        mSecondStartY = second.mY;
        mSwapStep = 0;
        mFrameCounter = 0;
        mSwapState = SWAP_MOVING;
    }
    else if (mSwapState == SWAP_MOVING)
        StepSwap();
}

void LetterScramble::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (mLoaded)
        g->DrawImage(IMAGE_MG_LETTER_SCRAMBLE_BG, int(mBackgroundX) - mX, int(mBackgroundY) - mY);
}
