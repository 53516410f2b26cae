#include "game/minigames/bomb/BombMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/common/PictureMask.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/ResourceRuns.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"
#include "game/shell/StringTable.h"

#include <algorithm>
#include <variant>

namespace
{

template <class T> std::unique_ptr<ActionSequence> Tween(T* target, T from, T delta, int32_t ms)
{
    std::unique_ptr<Action> tween =
        Then(std::make_unique<Setter<T>>(target, from),
             std::make_unique<RelIncrementator<T>>(ActionTimer(ms), target, delta));
    return std::unique_ptr<ActionSequence>(static_cast<ActionSequence*>(tween.release()));
}

Quib::Image* Digit(int digit)
{
    ResourceValue value = GetResourceById(kBombDigits.At(std::clamp(digit, 0, kBombDigits.count - 1)));
    Quib::Image* const* image = std::get_if<Quib::Image*>(&value);
    return image != nullptr ? *image : nullptr;
}

std::unique_ptr<BombWire> Wire(int index, Quib::Image* picture, Quib::Image* over, Quib::Image* cut, int x,
                               int y, BombMiniGame* game)
{
    auto wire = std::make_unique<BombWire>(index, picture, over, cut, game);
    wire->Resize(x, y, picture->GetWidth(), picture->GetHeight());
    return wire;
}

} // namespace

BombMiniGame::BombMiniGame()
{
    mLoaded = LoadGroup("MG_Bomb", &FetchGroupMgBomb);
    if (!mLoaded)
        return;
    mCloseButton->mOnClick = [this] { OnCloseClicked(); };
    mCogCellLoop = std::make_unique<LoopAction>(Tween<int>(&mCogCell, 0, 13, 1800));
    mCogLoop = std::make_unique<LoopAction>(Tween<float>(&mCogAngle, 0, 360, 200000));
    mCogCellLoop->Start(nullptr, 0);
    mCogLoop->Start(nullptr, 1);
    mWire1 =
        Wire(0, IMAGE_MG_BOMB_WIRE_1, IMAGE_MG_BOMB_WIRE_1_OVER, IMAGE_MG_BOMB_WIRE_1_CUT, 50, 326, this);
    mWire2 =
        Wire(1, IMAGE_MG_BOMB_WIRE_2, IMAGE_MG_BOMB_WIRE_2_OVER, IMAGE_MG_BOMB_WIRE_2_CUT, 182, 202, this);
    mWire3 =
        Wire(2, IMAGE_MG_BOMB_WIRE_3, IMAGE_MG_BOMB_WIRE_3_OVER, IMAGE_MG_BOMB_WIRE_3_CUT, 161, 24, this);
    mWire4 =
        Wire(3, IMAGE_MG_BOMB_WIRE_4, IMAGE_MG_BOMB_WIRE_4_OVER, IMAGE_MG_BOMB_WIRE_4_CUT, 396, 170, this);
    mState = std::make_unique<BombState>(std::array<AlphaMask, BombState::kWires>{
        MaskOfPicture(IMAGE_MG_BOMB_WIRE_1), MaskOfPicture(IMAGE_MG_BOMB_WIRE_2),
        MaskOfPicture(IMAGE_MG_BOMB_WIRE_3), MaskOfPicture(IMAGE_MG_BOMB_WIRE_4)});
    mCountdown.SetLimit(0, 2, 0, 0);
    mCountdown.Start();
    mContactTurn = std::make_unique<RelIncrementator<float>>(ActionTimer(300000), &mContactAngle, 131.0f);
    mContactTurn->Start(nullptr, 0);
    mPliers = std::make_unique<BombTool>(BombState::kPliers, this);
    mPliers->Resize(518, 412, IMAGE_MG_BOMB_PLIERS->GetWidth(), IMAGE_MG_BOMB_PLIERS->GetHeight());
    mScrewdriver = std::make_unique<BombTool>(BombState::kScrewdriver, this);
    mScrewdriver->Resize(647, 400, IMAGE_MG_BOMB_SCREWDRIVER->GetWidth(),
                         IMAGE_MG_BOMB_SCREWDRIVER->GetHeight());
    mScrew = std::make_unique<BombScrewdriverPlace>(this);
    mScrew->Resize(475, 45, 60, 110);
    mScheme = std::make_unique<BombShemeScreen>(this);
    PlaceScheme();
    mTimeOutFlash = Tween<int>(&mFlashAlpha, 0, 255, 1000);
    mRestartFlash = Tween<int>(&mFlashAlpha, 255, -255, 1000);
}

BombMiniGame::~BombMiniGame()
{
    mCogCellLoop.reset();
    mCogLoop.reset();
    mContactTurn.reset();
    mTimeOutFlash.reset();
    mRestartFlash.reset();
    mWire1.reset();
    mWire2.reset();
    mWire3.reset();
    mWire4.reset();
    mPliers.reset();
    mScrewdriver.reset();
    mScrew.reset();
    mScheme.reset();
    mCountdown.FreeTimer();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Bomb");
}

void BombMiniGame::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    mManager = manager;
    if (!mLoaded)
        return;
    for (Quib::Widget* piece :
         std::initializer_list<Quib::Widget*>{mWire2.get(), mWire1.get(), mWire3.get(), mWire4.get(),
                                              mPliers.get(), mScrewdriver.get(), mScrew.get(), mScheme.get()})
        manager->AddChild(piece);
    // Centred on its own size: the round button is narrower than a menu button.
    mCloseButton->Move(400 - mCloseButton->mWidth / 2, 590 - mCloseButton->mHeight);
    // The way out of the finale: it has no uncover that would show it.
    mCloseButton->SetVisible(true);
    manager->AddChild(mCloseButton.get());
}

void BombMiniGame::OnDetached(Quib::WidgetManager* manager)
{
    if (mLoaded)
        for (Quib::Widget* piece : std::initializer_list<Quib::Widget*>{
                 mWire2.get(), mWire1.get(), mWire3.get(), mWire4.get(), mPliers.get(), mScrewdriver.get(),
                 mScrew.get(), mScheme.get(), mCloseButton.get()})
            manager->RemoveChild(piece);
    mManager = nullptr;
    ScreenBase::OnDetached(manager);
}

bool BombMiniGame::IsBusy() const
{
    return mTimeOutFlash->IsRunning() || mRestartFlash->IsRunning();
}

void BombMiniGame::SetPointer(Quib::Image* picture)
{
    Quib::gApp->SetCustomCursorImage(0, picture);
}

void BombMiniGame::FollowHeldTool()
{
    const int held = mState->GetHeldTool();
    Quib::Image* picture = held == BombState::kPliers        ? IMAGE_MG_BOMB_PLIERS
                           : held == BombState::kScrewdriver ? IMAGE_MG_BOMB_SCREWDRIVER
                                                             : nullptr;
    if (picture == mHeldToolPicture)
        return;
    mHeldToolPicture = picture;
    SetPointer(picture != nullptr ? IMAGE_CUSTOM_POINTER_EMPTY : IMAGE_CUSTOM_POINTER);
}

void BombMiniGame::ClickTool(int kind, BombState::Button button, int x, int y)
{
    if (!mLoaded || !AcceptsInput() || IsBusy())
        return;
    const bool wasHolding = mState->GetHeldTool() >= 0;
    mState->ClickTool(kind, button);
    if (!wasHolding && mState->GetHeldTool() == kind)
    {
        mGrabX = float(x);
        mGrabY = float(y);
    }
    FollowHeldTool();
}

void BombMiniGame::OnMouseButtonDown(int x, int y, int button, int)
{
    if (!mLoaded || !AcceptsInput() || IsBusy())
        return;
    const BombState::Button which = button == 0   ? BombState::Button::Left
                                    : button == 1 ? BombState::Button::Right
                                                  : BombState::Button::Middle;
    const int sx = x + mX, sy = y + mY;
    const bool inTray = sx >= mToolTray.mX && sy >= mToolTray.mY && sx < mToolTray.mX + mToolTray.mWidth &&
                        sy < mToolTray.mY + mToolTray.mHeight;
    mState->ClickBackground(inTray, which);
    FollowHeldTool();
}

void BombMiniGame::ClickWire(int wire, BombState::Button button)
{
    if (!mLoaded || !AcceptsInput() || IsBusy())
        return;
    mState->ClickWire(wire, button);
    mSolved = mState->IsSolved();
}

void BombMiniGame::ClickScrew()
{
    if (!mLoaded || !AcceptsInput() || IsBusy())
        return;
    mState->ClickScrew();
    FollowHeldTool();
    mSolved = mState->IsSolved();
}

void BombMiniGame::PlaceScheme()
{
    if (mState->IsSchemeOpen())
        mScheme->Resize(0, 0, 800, 600);
    else
        mScheme->Resize(60, 440, IMAGE_MG_BOMB_SKETCH->GetWidth(), IMAGE_MG_BOMB_SKETCH->GetHeight());
}

void BombMiniGame::ToggleScheme()
{
    if (!mLoaded || !AcceptsInput() || IsBusy())
        return;
    mState->ToggleScheme();
    PlaceScheme();
}

void BombMiniGame::OnCloseClicked()
{
    if (mLoaded && mState->Close())
    {
        PlaceScheme();
        return;
    }
    SetPointer(IMAGE_CUSTOM_POINTER);
    Leave();
}

void BombMiniGame::RunCountdown()
{
    if (mState->IsCountdownRunning())
        mCountdown.Start();
    const int32_t elapsed = mCountdown.GetElapsedMs();
    const bool ranOut = mState->Update(elapsed - mCountdownSeen);
    mCountdownSeen = elapsed;
    if (!mState->IsCountdownRunning())
        mCountdown.Stop();
    if (ranOut)
        TimeOut();
}

void BombMiniGame::TimeOut()
{
    mTimedOut = true;
    if (mManager != nullptr)
        for (Quib::Widget* piece :
             {static_cast<Quib::Widget*>(mPliers.get()), static_cast<Quib::Widget*>(mScrewdriver.get()),
              static_cast<Quib::Widget*>(mScheme.get())})
            mManager->RemoveChild(piece);
    FollowHeldTool();
    mTimeOutFlash->Start(this, BOMB_ACTION_TIME_OUT);
}

void BombMiniGame::ShowTryAgainDialog()
{
    auto* dialog = new CustomDialog(StringTable::GetInstance().Lookup("LBL_DIALOG_BOMB_TRY_AGAIN"),
                                    DIALOG_ID_BOMB_TRY_AGAIN, CustomDialog::BUTTONS_OK, false, true);
    dialog->SetListener(this);
    mOpenDialog = dialog;
    PushAbove(dialog);
}

void BombMiniGame::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    if (mState->AreCogsTurning())
    {
        mCogCellLoop->Update();
        mCogLoop->Update();
        mContactTurn->Update();
    }
    mCogCell = std::clamp(mCogCell, 0, 13);
    if (mHeldToolPicture != nullptr && mManager != nullptr)
    {
        mHeldToolX = float(mManager->mLastMouseX) - mGrabX;
        mHeldToolY = float(mManager->mLastMouseY) - mGrabY;
    }
    const bool wasTimedOut = mTimedOut;
    RunCountdown();
    if (mTimedOut && !wasTimedOut)
        return;
    if (mSolved && !mEndDialogShown && ++mEndDialogCounter > mEndDialogDelay)
    {
        mHeldToolPicture = nullptr;
        SetPointer(IMAGE_CUSTOM_POINTER);
        mEndDialogShown = true;
        mEndDialogCounter = 0;
        ShowEndDialog(StringTable::GetInstance().Lookup("LBL_DIALOG_PUZZLE_SOLVED"));
    }
    if (mTimeOutFlash->IsRunning())
        mTimeOutFlash->Update();
    if (mRestartFlash->IsRunning())
        mRestartFlash->Update();
    mFlashAlpha = std::clamp(mFlashAlpha, 0, 255);
}

void BombMiniGame::OnActionFinished(int id)
{
    if (id == BOMB_ACTION_TIME_OUT)
    {
        SetPointer(IMAGE_CUSTOM_POINTER);
        mState->FlashedWhite();
        ShowTryAgainDialog();
        if (mManager != nullptr)
        {
            mManager->AddChild(mPliers.get());
            mManager->AddChild(mScrewdriver.get());
        }
    }
    else if (id == BOMB_ACTION_RESTART)
    {
        SetPointer(IMAGE_CUSTOM_POINTER);
        if (mManager != nullptr)
        {
            mManager->AddChild(mScheme.get());
            // The Close button stays above the scheme.
            mManager->MoveToFront(mCloseButton.get());
        }
        mState->RestartFaded();
        mTimedOut = false;
    }
    else
        MiniGameWidget::OnActionFinished(id);
}

void BombMiniGame::OnDialogClosed(int32_t dialogId, int32_t)
{
    PopOpenDialog();
    if (dialogId == DIALOG_ID_MINI_GAME_END)
    {
        if (!mDimOut->IsRunning())
            mDimOut->Start(this, 1);
    }
    else if (dialogId == DIALOG_ID_BOMB_TRY_AGAIN)
    {
        mState->TryAgainClosed();
        mRestartFlash->Start(this, BOMB_ACTION_RESTART);
    }
}

void BombMiniGame::DrawTurned(Quib::Graphics* g, Quib::Image* picture, float angle, int x, int y)
{
    Quib::Matrix3 matrix;
    matrix.RotateDeg(angle);
    g->DrawImageWithMatrix(picture, matrix, float(x - mX) + float(picture->GetWidth()) / 2,
                           float(y - mY) + float(picture->GetHeight()) / 2);
}

void BombMiniGame::DrawCountdown(Quib::Graphics* g)
{
    const BombState::Display display = mState->GetDisplay();
    g->DrawImage(Digit(0), 519 - mX, 297 - mY);
    g->DrawImage(Digit(display.mMinutes), 544 - mX, 297 - mY);
    g->DrawImage(display.mColonLit ? IMAGE_MG_BOMB_COLON_LIT : IMAGE_MG_BOMB_COLON, 566 - mX, 305 - mY);
    g->DrawImage(Digit(display.mTens), 572 - mX, 297 - mY);
    g->DrawImage(Digit(display.mUnits), 597 - mX, 297 - mY);
}

void BombMiniGame::Draw(Quib::Graphics* g)
{
    if (!mLoaded)
    {
        MiniGameWidget::Draw(g);
        return;
    }
    g->DrawImage(IMAGE_MG_BOMB_BG, -mX, -mY);
    DrawTurned(g, IMAGE_MG_BOMB_COG_2, mCogAngle, 439, 59);
    DrawTurned(g, IMAGE_MG_BOMB_COG_1, -mCogAngle, 324, 60);
    g->DrawImage(IMAGE_MG_BOMB_CONTACT_CIRCLE, 321 - mX, 55 - mY);
    DrawTurned(g, IMAGE_MG_BOMB_ROTATING_CONTACT, -mContactAngle, 331, 67);
    g->DrawImageCell(IMAGE_MG_BOMB_ROTATING_COG, 530 - mX, 120 - mY, mCogCell);
    DrawCountdown(g);
    RequestOverlayDraw(1);
}

void BombMiniGame::DrawOverlay(Quib::Graphics* g)
{
    if (!mLoaded)
        return;
    DrawTurned(g, IMAGE_MG_BOMB_COG_3, -mCogAngle, 507, 84);
    if (mHeldToolPicture != nullptr)
        g->DrawImage(mHeldToolPicture, int(mHeldToolX) - mX, int(mHeldToolY) - mY);
    if (mFlashAlpha > 0)
    {
        g->SetColor(Quib::Color(255, 255, 255, mFlashAlpha));
        g->FillRect(-mX, -mY, 800, 600);
    }
}
