#include "game/minigames/clock/ClockMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

#include <cmath>
#include <numbers>

namespace
{

constexpr float kSymbolRadius = 116.0f;

void DrawCentred(Quib::Graphics* g, Quib::Image* picture, float x, float y)
{
    if (picture != nullptr)
        g->DrawImage(picture, int(x) - picture->GetWidth() / 2, int(y) - picture->GetHeight() / 2);
}

} // namespace

ClockMiniGame::ClockMiniGame()
{
    mLoaded = LoadGroup("MG_Clock", &FetchGroupMgClock);
    if (!mLoaded)
        return;
    mHandPictures = {IMAGE_MG_CLOCK_HAND_HOUR, IMAGE_MG_CLOCK_HAND_MINUTE};
    mNumberPictures = {IMAGE_MG_CLOCK_NUMBER_1, IMAGE_MG_CLOCK_NUMBER_2, IMAGE_MG_CLOCK_NUMBER_3,
                       IMAGE_MG_CLOCK_NUMBER_4, IMAGE_MG_CLOCK_NUMBER_5, IMAGE_MG_CLOCK_NUMBER_6,
                       IMAGE_MG_CLOCK_NUMBER_7, IMAGE_MG_CLOCK_NUMBER_8, IMAGE_MG_CLOCK_NUMBER_9};
    mLetterPictures = {IMAGE_MG_CLOCK_LETTER_A, IMAGE_MG_CLOCK_LETTER_B, IMAGE_MG_CLOCK_LETTER_C,
                       IMAGE_MG_CLOCK_LETTER_D, IMAGE_MG_CLOCK_LETTER_E, IMAGE_MG_CLOCK_LETTER_F,
                       IMAGE_MG_CLOCK_LETTER_G, IMAGE_MG_CLOCK_LETTER_H, IMAGE_MG_CLOCK_LETTER_I};
    MenuItemLook layout;
    layout.x = int(mOriginX) + 246;
    layout.y = int(mOriginY) + 432;
    layout.hoverPicture = IMAGE_MG_CLOCK_BUTTON_OVER;
    mCheckButton = CreateMenuItem(layout, IMAGE_MG_CLOCK_BUTTON_NORMAL);
    mCheckButton->mOverlayPriority = 100;
    mCheckButton->mOnClick = [this] { OnCheckClicked(); };
    BindReset([this] { OnResetClicked(); });
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    mHelpNumber = ClockDial::kHelpNumber;
}

ClockMiniGame::~ClockMiniGame()
{
    mCheckButton.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Clock");
}

void ClockMiniGame::OnAttached(Quib::WidgetManager* manager)
{
    if (mCheckButton)
        manager->AddChild(mCheckButton.get());
    MiniGameWidget::OnAttached(manager);
}

void ClockMiniGame::OnDetached(Quib::WidgetManager* manager)
{
    if (mCheckButton)
        manager->RemoveChild(mCheckButton.get());
    MiniGameWidget::OnDetached(manager);
}

float ClockMiniGame::PositionX(int position) const
{
    return mCentreX + kSymbolRadius * std::cos(float(position) * std::numbers::pi_v<float> / 6 -
                                               std::numbers::pi_v<float> / 2);
}

float ClockMiniGame::PositionY(int position) const
{
    return mCentreY + kSymbolRadius * std::sin(float(position) * std::numbers::pi_v<float> / 6 -
                                               std::numbers::pi_v<float> / 2);
}

void ClockMiniGame::OnMouseButtonDown(int x, int y, int button, int)
{
    if (!mLoaded || !AcceptsInput())
        return;
    const ClockDial::Button which = button == 0   ? ClockDial::Button::Left
                                    : button == 1 ? ClockDial::Button::Right
                                                  : ClockDial::Button::Middle;
    const ClockDial::ClickResult result = mDial.Click(mOriginX, mOriginY, x + mX, y + mY, which);
    if (result == ClockDial::ClickResult::Picked)
        PlayMiniGameSound(SFX_MG_CLOCK_PICK_HAND);
    else if (result == ClockDial::ClickResult::Placed)
        PlayMiniGameSound(SFX_MG_CLOCK_PLACE_HAND);
}

void ClockMiniGame::OnCheckClicked()
{
    if (!mLoaded || !AcceptsInput())
        return;
    const ClockDial::CheckResult result = mDial.Check();
    PlayMiniGameSound(result == ClockDial::CheckResult::Correct ? SFX_MG_CLOCK_CHECK_CORRECT
                                                                : SFX_MG_CLOCK_CHECK_WRONG);
    mSolved = mDial.IsSolved();
}

void ClockMiniGame::OnResetClicked()
{
    if (!mLoaded || IsDimming() || mSolved)
        return;
    mDial.Reset();
}

void ClockMiniGame::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    CountTowardEndDialog();
    mCentreX = float(ClockDial::CentreX(mOriginX));
    mCentreY = float(ClockDial::CentreY(mOriginY));
    if (!mSolved)
    {
        const Quib::WidgetManager* manager = Quib::gApp->mWidgetManager.get();
        mDial.FollowMouse(mOriginX, mOriginY, manager->mLastMouseX, manager->mLastMouseY);
    }
}

void ClockMiniGame::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mLoaded)
        return;
    g->DrawImage(IMAGE_MG_CLOCK_BG, int(mOriginX) - mX, int(mOriginY) - mY);
    for (int hand : {ClockDial::kHour, ClockDial::kMinute})
    {
        Quib::Matrix3 matrix;
        matrix.RotateDeg(float(mDial.GetHandAngle(hand)));
        g->DrawImageWithMatrix(mHandPictures[size_t(hand)], matrix, mCentreX - float(mX),
                               mCentreY - float(mY));
    }
    for (int position = 0; position < ClockDial::kPositions; ++position)
    {
        const int symbol = mDial.GetSymbol(position);
        Quib::Image* picture =
            symbol < 9 ? mNumberPictures[size_t(symbol)] : mLetterPictures[size_t(symbol - 9)];
        const float x = PositionX(position) - float(mX), y = PositionY(position) - float(mY);
        DrawCentred(g, picture, x, y);
        if (mDial.IsMarked(position))
            DrawCentred(g, IMAGE_MG_CLOCK_SOLVED_MARKER, x, y);
    }
}
