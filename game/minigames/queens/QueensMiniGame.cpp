#include "game/minigames/queens/QueensMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

namespace
{

constexpr int kCell = 63;

} // namespace

ToManyQueens::ToManyQueens(int boardSize)
{
    mLoaded = LoadGroup("MG_ToManyQueens", &FetchGroupMgToManyQueens);
    if (!mLoaded)
        return;
    mBoard = std::make_unique<QueensBoard>(boardSize);
    const int n = mBoard->GetSize();
    BindReset([this] { OnResetClicked(); });
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    Quib::Image* board = n == 5 ? IMAGE_MG_QUEENS_BG_5x5 : IMAGE_MG_QUEENS_BG_4x4;
    mStorageX = 400 - IMAGE_MG_QUEENS_STORAGE->GetWidth() / 2;
    mStorageY = 510 - IMAGE_MG_QUEENS_STORAGE->GetHeight();
    mBoardX = 400 - board->GetWidth() / 2;
    mBoardY = 220 - board->GetHeight() / 2;
    for (int k = 0; k < n; ++k)
    {
        auto queen = std::make_unique<QueenObject>(k, this);
        queen->Resize(mStorageX + 27 + kCell * k, mStorageY + 22, kCell, kCell);
        mQueens.push_back(std::move(queen));
    }
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column)
        {
            auto cell = std::make_unique<ChessObject>(row * n + column, (row + column) % 2, this);
            cell->Resize(mBoardX + 27 + kCell * column, mBoardY + 26 + kCell * row, kCell, kCell);
            mCells.push_back(std::move(cell));
        }
    mHelpNumber = 9;
}

ToManyQueens::~ToManyQueens()
{
    mQueens.clear();
    mCells.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_ToManyQueens");
}

void ToManyQueens::OnAttached(Quib::WidgetManager* manager)
{
    for (auto& cell : mCells)
        manager->AddChild(cell.get());
    for (auto& queen : mQueens)
        manager->AddChild(queen.get());
    MiniGameWidget::OnAttached(manager);
}

void ToManyQueens::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& cell : mCells)
        manager->RemoveChild(cell.get());
    for (auto& queen : mQueens)
        manager->RemoveChild(queen.get());
    MiniGameWidget::OnDetached(manager);
}

void ToManyQueens::Sound(QueensBoard::Result result)
{
    int32_t sound = -1;
    if (result == QueensBoard::Result::Taken)
        sound = SFX_MG_QUEEN_PICK;
    else if (result == QueensBoard::Result::Placed)
        sound = SFX_MG_QUEEN_PLACE;
    if (sound >= 0)
        PlayMiniGameSound(sound);
    mSolved = mBoard->IsSolved();
    for (auto& cell : mCells)
        cell->MarkDirty();
    for (auto& queen : mQueens)
        queen->MarkDirty();
}

void ToManyQueens::OnMouseButtonDown(int, int, int button, int)
{
    if (mBoard && AcceptsInput() && button == 1)
        Sound(mBoard->ClickElsewhere(QueensBoard::Button::Right));
}

void ToManyQueens::OnResetClicked()
{
    if (IsDimming() || mSolved || !mBoard)
        return;
    mBoard->Reset();
    Sound(QueensBoard::Result::Nothing);
}

void ToManyQueens::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
    if (mBoard && mBoard->GetCarried() >= 0)
    {
        mHeldQueenX = Quib::gApp->mWidgetManager->mLastMouseX - 30;
        mHeldQueenY = Quib::gApp->mWidgetManager->mLastMouseY - 30;
    }
}

void ToManyQueens::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mBoard)
        return;
    g->DrawImage(IMAGE_MG_MATCH_BACKGROUND, mOriginX - mX, mOriginY - mY);
    Quib::Image* board = mBoard->GetSize() == 5 ? IMAGE_MG_QUEENS_BG_5x5 : IMAGE_MG_QUEENS_BG_4x4;
    g->DrawImage(board, mBoardX - mX, mBoardY - mY);
    g->DrawImage(IMAGE_MG_QUEENS_STORAGE, mStorageX - mX, mStorageY - mY);
    RequestOverlayDraw(2);
}

void ToManyQueens::DrawOverlay(Quib::Graphics* g)
{
    if (mBoard && mBoard->GetCarried() >= 0)
        g->DrawImage(IMAGE_MG_QUEEN, mHeldQueenX - mX, mHeldQueenY - mY);
}
