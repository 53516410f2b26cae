#include "game/minigames/memory/MemoryGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

MemoryGame::MemoryGame(const std::string& mode)
{
    mLoaded = LoadGroup("MG_Memory", &FetchGroupMgMemory);
    if (!mLoaded)
        return;
    const MemoryBoard::Mode shape = MemoryBoard::ModeByName(mode);
    mLeftOffset = shape.mLeftOffset;
    mCardWidth = IMAGE_MG_MEMORY_CARD_VASE->GetCellWidth() - 30;
    mCardHeight = IMAGE_MG_MEMORY_CARD_VASE->GetHeight() - 30;
    mBoard = std::make_unique<MemoryBoard>(shape.mPairs);
    for (int i = 0; i < mBoard->GetCardCount(); ++i)
    {
        auto card = std::make_unique<MemoryBlock>(i, mBoard->GetFace(i), this);
        const int column = i % shape.mColumns, row = i / shape.mColumns;
        card->Resize(100 + mLeftOffset + column * (mCardWidth + 4), 35 + row * (mCardHeight + 4), mCardWidth,
                     mCardHeight);
        mCards.push_back(std::move(card));
    }
    mHelpButton->Move(100 - IMAGE_GUI_MINIGAME_HELP_NORMAL->GetWidth(), mHelpButton->mY);
    mCloseButton->Move(IMAGE_MG_MEMORY_FRAME->GetWidth() + 100, mCloseButton->mY);
    PlaceSkipAndReset(100, 700, mSkipButton->mY);
    BindReset([this] { OnResetClicked(); });
    PlaceParticlesAroundBoard(IMAGE_MG_MEMORY_FRAME, mParticles.get(), 0, -12);
    mHelpNumber = 10;
}

MemoryGame::~MemoryGame()
{
    mCards.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Memory");
}

void MemoryGame::OnAttached(Quib::WidgetManager* manager)
{
    for (auto& card : mCards)
        manager->AddChild(card.get());
    MiniGameWidget::OnAttached(manager);
}

void MemoryGame::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& card : mCards)
        manager->RemoveChild(card.get());
    MiniGameWidget::OnDetached(manager);
}

void MemoryGame::Choose(int card)
{
    if (!mBoard || !AcceptsInput())
        return;
    // Any choice turns back two cards on show, even one that is itself ignored.
    if (mBoard->Choose(card) != MemoryBoard::ChooseResult::Ignored)
        PlayMiniGameSound(SFX_MG_MEMORY_ROTATE);
    SyncFlips();
}

void MemoryGame::OnFlipFinished(int card)
{
    const MemoryBoard::CompareResult result = mBoard->FlipFinished(card);
    if (result == MemoryBoard::CompareResult::Pair)
        PlayMiniGameSound(SFX_MG_MEMORY_MATCH);
    mSolved = mBoard->IsSolved();
    SyncFlips();
}

void MemoryGame::SyncFlips()
{
    for (int i = 0; i < mBoard->GetCardCount(); ++i)
    {
        const MemoryBoard::Flip flip = mBoard->GetFlip(i);
        if (flip != MemoryBoard::Flip::None)
            mCards[size_t(i)]->StartFlip(flip == MemoryBoard::Flip::Up);
    }
}

void MemoryGame::OnResetClicked()
{
    if (IsDimming() || mSolved || !mBoard)
        return;
    mBoard->Reset();
    SyncFlips();
}

void MemoryGame::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
}

void MemoryGame::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (IMAGE_MG_MEMORY_FRAME != nullptr)
        g->DrawImage(IMAGE_MG_MEMORY_FRAME, mFrameX, mFrameY);
}
