#include "game/minigames/matches/MatchesMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

namespace
{

// Where a held stick is drawn from the pointer, by slot, so that the stick
// and not the empty middle of its cell picture lies under it.
constexpr int kHeldOffsetX[kSlotCount] = {0, 0, -40, 40, 0, 0};
constexpr int kHeldOffsetY[kSlotCount] = {40, -40, 0, 0, 0, 0};

MatchesLayoutRead ReadLayout(const std::string& baseName)
{
    MatchesLayoutRead read = ReadMatchesLayout(Quib::GetCurrentFolder() + "\\" + MatchesFileName(baseName));
    for (const std::string& problem : read.mProblems)
        Quib::DebugPrintf("match sticks: %s\n", problem.c_str());
    return read;
}

} // namespace

Quib::Image* MatchesMiniGame::SlotPicture(int slot)
{
    Quib::Image* const pictures[kSlotCount] = {
        IMAGE_MG_MATCH_UP,   IMAGE_MG_MATCH_DOWN,          IMAGE_MG_MATCH_RIGHT,
        IMAGE_MG_MATCH_LEFT, IMAGE_MG_MATCH_LEFT_TO_RIGHT, IMAGE_MG_MATCH_RIGHT_TO_LEFT};
    return pictures[slot];
}

MatchesMiniGame::MatchesMiniGame(const std::string& puzzleName)
{
    mLoaded = LoadGroup("MG_Matches", &FetchGroupMgMatches);
    if (!mLoaded)
        return;
    mPuzzle = MatchesPuzzleByName(puzzleName);
    mMovesLabel = StringTable::GetInstance().Lookup("LBL_matches_moves_left");
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    mAcceptsFocus = true;
    BindReset([this] { OnResetClicked(); });
    MatchesLayoutRead start = ReadLayout(mPuzzle.mName);
    std::vector<MatchesLayout> solutions;
    for (int v = 1; v <= mPuzzle.mSolutionCount; ++v)
    {
        MatchesLayoutRead solution = ReadLayout(mPuzzle.mName + "Solution" + std::to_string(v));
        if (solution.mLayout)
            solutions.push_back(std::move(*solution.mLayout));
    }
    mRules = std::make_unique<MatchesRules>(start.mLayout ? *start.mLayout : MatchesLayout{},
                                            std::move(solutions), mPuzzle.mMoves);
    mHelpNumber = mPuzzle.mHelpNumber;
    if (!start.mLayout || !mRules->IsPlayable())
        return;
    mCellWidth = IMAGE_MG_MATCH_UP->GetWidth();
    mCellHeight = IMAGE_MG_MATCH_UP->GetHeight();
    const int columns = mRules->GetColumns();
    for (int i = 0; i < columns * mRules->GetRows(); ++i)
    {
        auto block = std::make_unique<MatchesBlock>(i, this);
        block->Resize(mOriginX + 13 + (i % columns) * mCellWidth, mOriginY + 13 + (i / columns) * mCellHeight,
                      mCellWidth, mCellHeight);
        mBlocks.push_back(std::move(block));
    }
}

MatchesMiniGame::~MatchesMiniGame()
{
    mBlocks.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Matches");
}

void MatchesMiniGame::OnAttached(Quib::WidgetManager* manager)
{
    MiniGameWidget::OnAttached(manager);
    mManager = manager;
    for (auto& block : mBlocks)
        manager->AddChild(block.get());
}

void MatchesMiniGame::OnDetached(Quib::WidgetManager* manager)
{
    MiniGameWidget::OnDetached(manager);
    for (auto& block : mBlocks)
        manager->RemoveChild(block.get());
    mManager = nullptr;
}

void MatchesMiniGame::ClickSlot(int cell, int slot)
{
    if (!AcceptsInput())
        return;
    const MatchesRules::Result result = mRules->Click(cell, slot);
    if (result == MatchesRules::Result::Taken)
        PlayMiniGameSound(SFX_MG_MATCH_PICKUP);
    else if (result == MatchesRules::Result::Placed || result == MatchesRules::Result::Solved)
        PlayMiniGameSound(SFX_MG_MATCH_PLACE);
    mSolved = mRules->IsSolved();
    for (auto& block : mBlocks)
        block->mHoverSlot = -1;
}

void MatchesMiniGame::OnResetClicked()
{
    if (IsDimming() || mSolved || !mRules)
        return;
    mRules->Reset();
}

void MatchesMiniGame::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
}

void MatchesMiniGame::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mLoaded)
        return;
    g->DrawImage(IMAGE_MG_MATCH_BACKGROUND, mOriginX, mOriginY);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->SetFont(FONT_ITEM_LABELS);
    g->DrawString(mMovesLabel + ": " + std::to_string(mRules->GetMovesLeft()), mOriginX + 22, mOriginY + 22);
    RequestOverlayDraw(30);
}

void MatchesMiniGame::DrawOverlay(Quib::Graphics* g)
{
    if (!mRules || !mRules->IsHolding() || mManager == nullptr)
        return;
    const int slot = mRules->GetHeldSlot();
    g->DrawImage(SlotPicture(slot), mManager->mLastMouseX + kHeldOffsetX[slot] - mCellWidth / 2,
                 mManager->mLastMouseY + kHeldOffsetY[slot] - mCellHeight / 2);
}
