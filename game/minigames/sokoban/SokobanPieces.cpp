#include "game/minigames/sokoban/SokobanPieces.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/sokoban/MiniGameSokoban.h"
#include "game/shell/Resources.h"

#include <cstdio>

namespace
{

// Arrow places inside a 60-pixel box, by kind.
constexpr int kArrowX[4] = {3, 37, 19, 19};
constexpr int kArrowY[4] = {19, 19, 3, 36};

Quib::Image* ArrowPicture(int kind)
{
    Quib::Image* const pictures[4] = {IMAGE_MG_CARGO_BOX_ARROW_RIGHT, IMAGE_MG_CARGO_BOX_ARROW_LEFT,
                                      IMAGE_MG_CARGO_BOX_ARROW_DOWN, IMAGE_MG_CARGO_BOX_ARROW_UP};
    return pictures[kind];
}

} // namespace

SokobanBlock::SokobanBlock(int index, MiniGameSokoban* game) : mIndex(index), mGame(game)
{
    char name[64];
    std::snprintf(name, sizeof(name), "\\content\\images\\miniGames\\cargo_bg\\bg__%02d.jpg", index + 1);
    mPicture.reset(Quib::gApp->LoadImage(Quib::GetCurrentFolder() + name, 1));
    Resize(0, 0, SokobanBoard::kCellSize, SokobanBoard::kCellSize);
}

SokobanBlock::~SokobanBlock() = default;

void SokobanBlock::Draw(Quib::Graphics* g)
{
    if (mPicture)
        g->DrawImage(mPicture.get(), 0, 0);
    const SokobanCell& cell = mGame->mBoard->GetLevel().mCells[size_t(mIndex)];
    if (cell.IsTarget())
    {
        g->SetColor(Quib::Color(0, 0, 0, 50));
        g->FillRect(6, 6, mWidth - 12, mHeight - 12);
        g->SetFont(FONT_BUTTON_LABELS);
        g->SetColor(Quib::Color(255, 0, 0, 255));
        g->DrawString("X", mWidth / 2 - 5, mHeight / 2 + 8);
    }
    if (cell.mWallLeft)
        g->DrawImage(IMAGE_MG_CARGO_WALL, 0, -3);
    if (cell.mWallRight)
        g->DrawImage(IMAGE_MG_CARGO_WALL, mWidth - 3, -3);
    if (cell.mWallTop)
        g->DrawImage(IMAGE_MG_CARGO_WALL90, -3, 0);
    if (cell.mWallBottom)
        g->DrawImage(IMAGE_MG_CARGO_WALL90, -3, mHeight - 3);
}

SokobanArrow::SokobanArrow(int kind, SokobanBox* box) : mKind(kind), mBox(box)
{
    Resize(0, 0, 20, 20);
}

void SokobanArrow::Draw(Quib::Graphics* g)
{
    if (mDimmed)
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(100, 100, 100, 200));
    }
    g->DrawImage(ArrowPicture(mKind), 0, 0);
    g->SetTintImages(false);
}

void SokobanArrow::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 0)
        mBox->mGame->Push(mBox->mIndex, mKind);
}

SokobanBox::SokobanBox(int index, MiniGameSokoban* game) : mIndex(index), mGame(game)
{
    for (int kind = 0; kind < 4; ++kind)
        mArrows[size_t(kind)] = std::make_unique<SokobanArrow>(kind, this);
    Resize(0, 0, SokobanBoard::kCellSize, SokobanBoard::kCellSize);
}

SokobanBox::~SokobanBox() = default;

void SokobanBox::OnAttached(Quib::WidgetManager* manager)
{
    Quib::Widget::OnAttached(manager);
    for (auto& arrow : mArrows)
        manager->AddChild(arrow.get());
}

void SokobanBox::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& arrow : mArrows)
        manager->RemoveChild(arrow.get());
    Quib::Widget::OnDetached(manager);
}

void SokobanBox::Draw(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_MG_CARGO_BARREL, 3, 3);
}

void SokobanBox::Move(int x, int y)
{
    Quib::Widget::Move(x, y);
    for (int kind = 0; kind < 4; ++kind)
        mArrows[size_t(kind)]->Move(x + kArrowX[kind], y + kArrowY[kind]);
}

void SokobanBox::UpdateArrows()
{
    for (int kind = 0; kind < 4; ++kind)
    {
        mArrows[size_t(kind)]->mDimmed = mGame->mBoard->IsArrowDimmed(mIndex, kind);
        mArrows[size_t(kind)]->MarkDirty();
    }
}
