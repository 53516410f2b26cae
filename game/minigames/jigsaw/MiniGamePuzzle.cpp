#include "game/minigames/jigsaw/MiniGamePuzzle.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

#include <variant>

namespace
{

Quib::Image* PieceById(int32_t id)
{
    ResourceValue value = GetResourceById(id);
    Quib::Image* const* image = std::get_if<Quib::Image*>(&value);
    return image != nullptr ? *image : nullptr;
}

} // namespace

MiniGamePuzzle::MiniGamePuzzle(int pictureKind)
    : mDelay(std::make_unique<ActionDelay>(ActionTimer(3000))), mPictureKind(pictureKind == 2 ? 2 : 1)
{
    // The delay runs every update, so it exists even when the pieces could not be built.
    mLoaded = LoadGroup("MG_Puzzle", &FetchGroupMgPuzzle) && LoadGroup("MG_PuzzleEN", &FetchGroupMgPuzzleEN);
    if (!mLoaded)
        return;
    const int32_t first = mPictureKind == 2 ? IMAGE_MG_PUZZLE_PIECE1_LAST_ID : IMAGE_MG_PUZZLE_PIECE1_ID;
    for (int i = 0; i < JigsawBoard::kPieces; ++i)
    {
        auto place = std::make_unique<PuzzlePlace>(i, this);
        const JigsawPoint at = JigsawBoard::PlaceOrigin(i);
        place->Resize(at.x, at.y, JigsawBoard::kPlaceWidth, JigsawBoard::kPlaceHeight);
        mPlaces.push_back(std::move(place));
        auto piece = std::make_unique<PuzzleBlock>(i, PieceById(first + i), this);
        piece->Resize(0, 0, JigsawBoard::kPieceWidth, JigsawBoard::kPieceHeight);
        mPieces.push_back(std::move(piece));
    }
    SyncPieces();
    BindReset([this] { OnResetClicked(); });
    mCloseButton->mOnClick = [this] { OnPuzzleCloseClicked(); };
    mHelpButton->Move(100 - IMAGE_GUI_MINIGAME_HELP_NORMAL->GetWidth(), mHelpButton->mY);
    mCloseButton->Move(641 + IMAGE_GUI_MINIGAME_CLOSE_NORMAL->GetWidth(), mCloseButton->mY);
    PlaceSkipAndReset(100, 700, 520);
    PlaceParticlesAroundBoard(IMAGE_MG_PUZZLE_BG, mParticles.get(), -3, -12);
    mHelpNumber = 1;
    MenuItemLook layout;
    layout.x = 400 - IMAGE_BUTTON_MAIN_MENU_SMALL->GetWidth() / 2;
    layout.y = 520;
    layout.label = StringTable::GetInstance().Lookup("BTN_DIALOG_OK");
    layout.labelY = 38;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER_SMALL;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN_SMALL;
    mOkButton = CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU_SMALL);
    mOkButton->mOnClick = [this] { OnOkClicked(); };
    mOkButton->mOverlayPriority = 200;
}

MiniGamePuzzle::~MiniGamePuzzle()
{
    mPieces.clear();
    mPlaces.clear();
    if (mLoaded)
    {
        Quib::gApp->mResourceManager->UnloadGroup("MG_Puzzle");
        Quib::gApp->mResourceManager->UnloadGroup("MG_PuzzleEN");
    }
}

void MiniGamePuzzle::SyncPieces()
{
    for (size_t i = 0; i < mPieces.size(); ++i)
    {
        const JigsawPoint at = mBoard.GetPosition(int(i));
        mPieces[i]->Move(at.x, at.y);
        mPieces[i]->MarkDirty();
    }
}

void MiniGamePuzzle::OnAttached(Quib::WidgetManager* manager)
{
    mManager = manager;
    MiniGameWidget::OnAttached(manager);
    // The base lays out Skip and Reset on attaching, once it knows whether Skip shows.
    mBoard.KeepClearOf({mCloseButton->GetBounds(), mResetButton->GetBounds(), mSkipButton->GetBounds(),
                        mHelpButton->GetBounds()});
    for (auto& place : mPlaces)
        manager->AddChild(place.get());
    for (auto& piece : mPieces)
        manager->AddChild(piece.get());
}

void MiniGamePuzzle::OnDetached(Quib::WidgetManager* manager)
{
    MiniGameWidget::OnDetached(manager);
    if (mOkShown)
        manager->RemoveChild(mOkButton.get());
    mOkShown = false;
    for (auto& place : mPlaces)
        manager->RemoveChild(place.get());
    for (auto& piece : mPieces)
        manager->RemoveChild(piece.get());
    mManager = nullptr;
}

void MiniGamePuzzle::ClickPiece(int piece, int grabX, int grabY)
{
    if (!AcceptsInput())
        return;
    if (mBoard.GetHeld() < 0)
    {
        if (mBoard.PickUp(piece, {grabX, grabY}))
            PlayMiniGameSound(SFX_MG_PUZZLE_PICKUP);
        return;
    }
    PlayMiniGameSound(SFX_MG_PUZZLE_PLACE);
    mBoard.Drop(piece, {mManager != nullptr ? mManager->mLastMouseX : 0,
                        mManager != nullptr ? mManager->mLastMouseY : 0});
    mSolved = mBoard.IsSolved();
    SyncPieces();
}

void MiniGamePuzzle::LetGo()
{
    mBoard.LetGo();
}

void MiniGamePuzzle::UpdateFraction(float fraction)
{
    if (mSolved && !mDelay->IsRunning() && !mEndDialogShown && !mFinishing)
    {
        SetButtonsVisible(false);
        mDelay->Start(this, PUZZLE_ACTION_SOLVED);
    }
    if (mBoard.GetHeld() >= 0 && mManager != nullptr)
    {
        mBoard.MoveHeld({mManager->mLastMouseX, mManager->mLastMouseY});
        const JigsawPoint at = mBoard.GetPosition(mBoard.GetHeld());
        mPieces[size_t(mBoard.GetHeld())]->Move(at.x, at.y);
    }
    if (mDelay->IsRunning())
        mDelay->Update();
    MiniGameWidget::UpdateFraction(fraction);
}

void MiniGamePuzzle::OnActionFinished(int id)
{
    if (id == PUZZLE_ACTION_SHOW_OK && mManager != nullptr && !mOkShown)
    {
        mManager->AddChild(mOkButton.get());
        mOkShown = true;
    }
    else if (id == PUZZLE_ACTION_SOLVED)
    {
        mEndDialogShown = true;
        ShowEndDialog(StringTable::GetInstance().Lookup("LBL_DIALOG_PUZZLE_SOLVED"));
    }
    MiniGameWidget::OnActionFinished(id);
}

void MiniGamePuzzle::Finish()
{
    mFinishing = true;
    mBoard.PlaceAll();
    SyncPieces();
    SetButtonsVisible(false);
    mDelay->Start(this, PUZZLE_ACTION_SHOW_OK);
}

void MiniGamePuzzle::OnOkClicked()
{
    if (mSolved || IsDimming())
        return;
    mDimOut->Start(this, 1);
}

void MiniGamePuzzle::OnResetClicked()
{
    if (IsDimming() || mSolved || mFinishing || mBoard.GetHeld() >= 0)
        return;
    mBoard.Reset();
    SyncPieces();
}

void MiniGamePuzzle::OnPuzzleCloseClicked()
{
    if (mBoard.GetHeld() >= 0 || mSolved || mFinishing)
        return;
    OnCloseClicked();
}

void MiniGamePuzzle::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (IMAGE_MG_PUZZLE_BG != nullptr)
        g->DrawImage(IMAGE_MG_PUZZLE_BG, 100, 20);
}
