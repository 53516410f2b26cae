#include "game/frontend/CustomLoadingScreen.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/LevelMapOpener.h"
#include "game/frontend/ShadowedText.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/ScreenBase.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <algorithm>

CustomLoadingScreen::CustomLoadingScreen()
{
    using namespace steps;
    mFadeOut = InOrder(Set(&mFadeColor.mAlpha, 0), Tween(&mFadeColor.mAlpha, 255, 200));
    mFadeIn = InOrder(Set(&mFadeColor.mAlpha, 255), Tween(&mFadeColor.mAlpha, -255, 200));
    mPause = std::make_unique<ActionDelay>(ActionTimer(100));
    mText = StringTable::GetInstance().Lookup("LBL_LOADING");
}

// A map built but never handed over (the program closed meanwhile) goes with the overlay.
CustomLoadingScreen::~CustomLoadingScreen()
{
    delete mMapScreen;
}

void CustomLoadingScreen::OnAttached(Quib::WidgetManager* manager)
{
    Quib::Widget::OnAttached(manager);
    mFadeIn->Start(this, STEP_FADED_IN);
}

void CustomLoadingScreen::OnActionFinished(int id)
{
    switch (id)
    {
    case STEP_FADED_IN:
        mShowText = true;
        mPause->Start(this, STEP_BUILD_MAP);
        break;
    case STEP_BUILD_MAP:
        mMapScreen = MakeLevelMap();
        if (mMapScreen != nullptr)
            mMapScreen->Resize(0, 0, 800, 600);
        mShowText = false;
        mPause->Start(this, STEP_FADE_OUT);
        break;
    case STEP_FADE_OUT:
        mFadeOut->Start(this, STEP_BLACK_AGAIN);
        break;
    case STEP_BLACK_AGAIN:
        HandOver();
        break;
    default:
        break;
    }
}

void CustomLoadingScreen::HandOver()
{
    SharkInterface* app = SharkInterface::GetInstance();
    GameStateStack* stack = app->mGameStates.get();
    ScreenBase* map = std::exchange(mMapScreen, nullptr);
    if (map != nullptr)
        PushGameState(map, stack);
    else if (GameStateInterface* below = stack->Top())
        below->OnUncovered(stack);
    if (mWidgetManager != nullptr)
        mWidgetManager->RemoveChild(this);
    app->DeferWidgetDelete(this);
}

void CustomLoadingScreen::UpdateFraction(float fraction)
{
    Quib::Widget::UpdateFraction(fraction);
    mFadeOut->Update();
    mFadeIn->Update();
    if (mPause->IsRunning())
        mPause->Update();
    mFadeColor.mAlpha = std::clamp(mFadeColor.mAlpha, 0, 255);
}

void CustomLoadingScreen::Draw(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_INTRO_BACK_GRAY, 0, 0);
    if (mFadeColor.mAlpha > 0)
    {
        g->SetColor(mFadeColor);
        g->FillRect(0, 0, mWidth, mHeight);
    }
    if (mShowText)
    {
        const int width = FONT_BUTTON_LABELS->GetStringWidth(mText);
        DrawShadowedString(g, FONT_BUTTON_LABELS, mText, 400 - width / 2, 550);
    }
}
