#include "game/minigames/reversi/MiniGameReversi.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

#include <cstdio>

namespace
{

// The computer moves on the 51st update after the player.
constexpr int kComputerDelay = 50;

} // namespace

MiniGameReversi::MiniGameReversi(int mode)
{
    mModeNumber = mode == 2 ? 2 : 1;
    mLoaded = LoadGroup("MG_Reversi", &FetchGroupMgReversi);
    if (!mLoaded)
        return;
    const StringTable& strings = StringTable::GetInstance();
    mPlayerLabel = strings.Lookup(mModeNumber == 2 ? "LBL_Reversi_yellow" : "LBL_Reversi_blue");
    mComputerLabel = strings.Lookup(mModeNumber == 2 ? "LBL_Reversi_silver" : "LBL_Reversi_red");
    mHelpNumber = mModeNumber == 2 ? 27 : 7;
    mCellSize = IMAGE_MG_REVERSI_ANIMATION->GetWidth();
    for (int i = 0; i < ReversiBoard::kCells; ++i)
    {
        auto cell = std::make_unique<ReversiBlock>(i, mModeNumber, this);
        const int column = i % mColumns, row = i / mColumns;
        cell->Resize(mOriginX + 43 + column * (mCellSize + 2), mOriginY + 43 + row * (mCellSize + 2),
                     mCellSize, mCellSize);
        cell->Settle();
        mCells.push_back(std::move(cell));
    }
    UpdateCounts();
    BindReset([this] { OnResetClicked(); });
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
}

MiniGameReversi::~MiniGameReversi()
{
    mCells.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Reversi");
}

Quib::Image* MiniGameReversi::DiscStrip() const
{
    return mModeNumber == 2 ? IMAGE_MG_REVERSI_ANIMATION2 : IMAGE_MG_REVERSI_ANIMATION;
}

void MiniGameReversi::OnAttached(Quib::WidgetManager* manager)
{
    for (auto& cell : mCells)
        manager->AddChild(cell.get());
    MiniGameWidget::OnAttached(manager);
}

void MiniGameReversi::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& cell : mCells)
        manager->RemoveChild(cell.get());
    MiniGameWidget::OnDetached(manager);
}

std::array<int, ReversiBoard::kCells> MiniGameReversi::Colours() const
{
    std::array<int, ReversiBoard::kCells> colours{};
    for (int i = 0; i < ReversiBoard::kCells; ++i)
        colours[size_t(i)] = mBoard.GetColour(i);
    return colours;
}

void MiniGameReversi::FlipChanged(const std::array<int, ReversiBoard::kCells>& before)
{
    for (int i = 0; i < ReversiBoard::kCells; ++i)
    {
        const int was = before[size_t(i)];
        const int now = mBoard.GetColour(i);
        if (was != ReversiBoard::kEmpty && was != now)
            mCells[size_t(i)]->StartFlip(now);
    }
}

void MiniGameReversi::PlayerClicked(int cell)
{
    if (!mLoaded || !AcceptsInput() || mDraw || mLost || mBoard.IsComputerTurn() || !mBoard.IsLegal(cell))
        return;
    const std::array<int, ReversiBoard::kCells> before = Colours();
    mBoard.PlayerMove(cell);
    PlayMiniGameSound(SFX_MG_REVERSI_CLICK);
    FlipChanged(before);
    UpdateCounts();
    mEndDialogCounter = 0;
}

void MiniGameReversi::PlayComputerTurn()
{
    const std::array<int, ReversiBoard::kCells> before = Colours();
    mBoard.PlayComputerTurn();
    FlipChanged(before);
    UpdateCounts();
    const ReversiBoard::Outcome outcome = mBoard.GetOutcome();
    mSolved = outcome == ReversiBoard::Outcome::Solved;
    mDraw = outcome == ReversiBoard::Outcome::Draw;
    mLost = outcome == ReversiBoard::Outcome::Lost;
}

void MiniGameReversi::UpdateCounts()
{
    mPlayerCount = mBoard.CountDiscs(ReversiBoard::kPlayer);
    mComputerCount = mBoard.CountDiscs(ReversiBoard::kComputer);
}

void MiniGameReversi::OnResetClicked()
{
    if (!mLoaded || IsDimming() || mSolved || mEndDialogShown)
        return;
    mBoard.Reset();
    mDraw = mLost = false;
    mEndDialogCounter = 0;
    for (auto& cell : mCells)
        cell->Settle();
    UpdateCounts();
}

void MiniGameReversi::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    const bool ended = mSolved || mDraw || mLost;
    if (!ended && mBoard.IsComputerTurn())
    {
        if (++mEndDialogCounter > kComputerDelay)
        {
            PlayComputerTurn();
            mEndDialogCounter = 0;
        }
        return;
    }
    if (ended && !mEndDialogShown && ++mEndDialogCounter > mEndDialogDelay)
    {
        mEndDialogCounter = 0;
        mEndDialogShown = true;
        const char* key = mSolved ? "LBL_DIALOG_PUZZLE_SOLVED"
                          : mDraw ? "LBL_DIALOG_MINIGAME_REVERSI_DRAW"
                                  : "LBL_DIALOG_MINIGAME_REVERSI_LOST";
        ShowEndDialog(StringTable::GetInstance().Lookup(key));
    }
}

void MiniGameReversi::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mLoaded)
        return;
    g->DrawImage(IMAGE_MG_REVERSI_BG, mOriginX - mX, mOriginY - mY);
    RequestOverlayDraw(10);
}

void MiniGameReversi::DrawOverlay(Quib::Graphics* g)
{
    if (!mLoaded || FONT_ITEM_LABELS == nullptr)
        return;
    char line[256];
    std::snprintf(line, sizeof line, "%s: %2d  %s: %2d", mPlayerLabel.c_str(), mPlayerCount,
                  mComputerLabel.c_str(), mComputerCount);
    g->SetFont(FONT_ITEM_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(line, 501 - mX, 43 - mY);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(line, 500 - mX, 42 - mY);
}
