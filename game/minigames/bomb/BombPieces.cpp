#include "game/minigames/bomb/BombPieces.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

namespace
{

BombState::Button ButtonOf(int button)
{
    return button == 0   ? BombState::Button::Left
           : button == 1 ? BombState::Button::Right
                         : BombState::Button::Middle;
}

} // namespace

BombWire::BombWire(int index, Quib::Image* picture, Quib::Image* hoverPicture, Quib::Image* cutPicture,
                   BombMiniGame* game)
    : mIndex(index), mPicture(picture), mHoverPicture(hoverPicture), mCutPicture(cutPicture), mGame(game)
{
}

bool BombWire::IsOpaqueAt(int x, int y)
{
    return mGame->mState->IsWireHovered(mIndex, x, y);
}

void BombWire::UpdateFraction(float)
{
    const bool pliers = mGame->mState->IsToolTaken(BombState::kPliers);
    const Quib::WidgetManager* manager = mWidgetManager;
    mPixelHover =
        !pliers && manager != nullptr && IsOpaqueAt(manager->mLastMouseX - mX, manager->mLastMouseY - mY);
    MarkDirty();
}

void BombWire::Draw(Quib::Graphics* g)
{
    if (mGame->mState->IsWireCut(mIndex))
    {
        g->DrawImage(mCutPicture, 0, 0);
        return;
    }
    g->DrawImage(mPicture, 0, 0);
    const bool pliers = mGame->mState->IsToolTaken(BombState::kPliers);
    if (mIsOver && (pliers || mPixelHover))
        g->DrawImage(mHoverPicture, 0, 0);
}

void BombWire::OnMouseButtonDown(int, int, int button, int)
{
    mGame->ClickWire(mIndex, ButtonOf(button));
}

BombTool::BombTool(int kind, BombMiniGame* game) : mKind(kind), mGame(game) {}

void BombTool::Draw(Quib::Graphics* g)
{
    const BombState& state = *mGame->mState;
    if (state.IsToolTaken(mKind) || (mKind == BombState::kScrewdriver && state.IsScrewUndone()))
        return;
    const bool pliers = mKind == BombState::kPliers;
    Quib::Image* picture = pliers ? IMAGE_MG_BOMB_PLIERS : IMAGE_MG_BOMB_SCREWDRIVER;
    Quib::Image* over = pliers ? IMAGE_MG_BOMB_PLIERS_OVER : IMAGE_MG_BOMB_SCREWDRIVER_OVER;
    g->DrawImage(mIsOver ? over : picture, 0, 0);
}

void BombTool::OnMouseButtonDown(int x, int y, int button, int)
{
    mGame->ClickTool(mKind, ButtonOf(button), x, y);
}

BombScrewdriverPlace::BombScrewdriverPlace(BombMiniGame* game) : mGame(game) {}

void BombScrewdriverPlace::Draw(Quib::Graphics* g)
{
    if (mGame->mState->IsScrewUndone())
        g->DrawImage(IMAGE_MG_BOMB_SCREWDRIVER_DOWN, 2, -14);
}

void BombScrewdriverPlace::OnMouseButtonDown(int, int, int, int)
{
    mGame->ClickScrew();
}

BombShemeScreen::BombShemeScreen(BombMiniGame* game)
    : mCloseText(StringTable::GetInstance().Lookup("LBL_BOMB_CLOSE_STRING")), mGame(game)
{
}

void BombShemeScreen::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(101);
}

void BombShemeScreen::DrawOverlay(Quib::Graphics* g)
{
    if (!mGame->mState->IsSchemeOpen())
    {
        g->DrawImage(mIsOver ? IMAGE_MG_BOMB_SKETCH_OVER : IMAGE_MG_BOMB_SKETCH, 0, 0);
        return;
    }
    g->DrawImage(IMAGE_MG_BOMB_PUZZLE_SKETCH, 0, 0);
    if (FONT_ITEM_LABELS == nullptr)
        return;
    g->SetFont(FONT_ITEM_LABELS);
    const int h = FONT_ITEM_LABELS->GetStringWidth(mCloseText) / 2;
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(mCloseText, 401 - h, 541);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(mCloseText, 400 - h, 540);
}

void BombShemeScreen::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 0)
        mGame->ToggleScheme();
}
