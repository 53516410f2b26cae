#include "game/frontend/PauseMenu.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/MainMenuReturn.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/ShadowedText.h"
#include "game/frontend/WoodenButton.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int kButtonsTop = 153;
constexpr int kPanelY = 42;
constexpr int kOverlayPriority = 211;
// The panel ends this far below its last button, and keeps its own bottom edge this tall.
constexpr int kPanelBelowButtons = 40;
constexpr int kPanelEdge = 40;

std::unique_ptr<MenuItem> MakePauseButton(const char* labelKey, int y)
{
    std::unique_ptr<MenuItem> button =
        MakeWoodenButton(labelKey, 400 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2, y, 36);
    button->mOverlayPriority = kOverlayPriority;
    return button;
}

} // namespace

PauseMenu::PauseMenu()
{
    using namespace steps;
    const int h = IMAGE_BUTTON_MAIN_MENU->GetHeight();
    mResumeButton = MakePauseButton("LBL_RESUME", kButtonsTop);
    mOptionsButton = MakePauseButton("BTN_MAIN_OPTIONS", kButtonsTop + h);
    mMainMenuButton = MakePauseButton("LBL_MAIN_MENU", kButtonsTop + 2 * h);
    mResumeButton->mOnClick = [this] { OnResumeClicked(); };
    mOptionsButton->mOnClick = [this] { OnOptionsClicked(); };
    mMainMenuButton->mOnClick = [this] { OnMainMenuClicked(); };

    const int panelSlide = IMAGE_GUI_DIALOG->GetWidth() / 2 + 400;
    const int buttonSlide = IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2 + 400;
    MenuItem* const buttons[] = {mResumeButton.get(), mOptionsButton.get(), mMainMenuButton.get()};
    auto place = Together(Set(&mPanelX, 800));
    auto slideIn = Together(Tween(&mPanelX, -panelSlide, 200));
    mSlideOut = Together(Tween(&mPanelX, panelSlide, 200));
    for (MenuItem* button : buttons)
    {
        place->Append(Set(&button->mX, 800));
        slideIn->Append(Tween(&button->mX, -buttonSlide, 200));
        mSlideOut->Append(Tween(&button->mX, buttonSlide, 200));
    }
    mSlideIn = InOrder(std::move(place), std::move(slideIn));
    mDimIn = InOrder(Set(&mDimColor.mAlpha, 0), Tween(&mDimColor.mAlpha, 150, 200));
    mDimOut = InOrder(Set(&mDimColor.mAlpha, 150), Tween(&mDimColor.mAlpha, -150, 200));
    mDarken = InOrder(Set(&mDimColor.mAlpha, 150), Tween(&mDimColor.mAlpha, 105, 270));
}

PauseMenu::~PauseMenu() = default;

void PauseMenu::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    for (MenuItem* button : {mResumeButton.get(), mOptionsButton.get(), mMainMenuButton.get()})
        manager->AddChild(button);
    mSlideIn->Start(nullptr, 0);
    mDimIn->Start(nullptr, 0);
}

void PauseMenu::OnDetached(Quib::WidgetManager* manager)
{
    for (MenuItem* button : {mResumeButton.get(), mOptionsButton.get(), mMainMenuButton.get()})
        manager->RemoveChild(button);
    ScreenBase::OnDetached(manager);
}

void PauseMenu::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

// The menu stays in the widget tree, still dimming the scene, under the options screen.
void PauseMenu::OnCovered(GameStateStack*) {}

void PauseMenu::OnUncovered(GameStateStack*)
{
    mSlideIn->Start(this, 0);
}

bool PauseMenu::IsSliding() const
{
    return mSlideIn->IsRunning() || mSlideOut->IsRunning();
}

void PauseMenu::OnResumeClicked()
{
    if (IsSliding())
        return;
    mChoice = CHOICE_RESUME;
    mSlideOut->Start(this, 1);
    mDimOut->Start(nullptr, 0);
}

void PauseMenu::OnOptionsClicked()
{
    if (IsSliding())
        return;
    mChoice = CHOICE_OPTIONS;
    mSlideOut->Start(this, 1);
}

void PauseMenu::OnMainMenuClicked()
{
    if (IsSliding())
        return;
    // Saved before anything moves, so that the main menu's play offers to resume this game.
    SharkInterface* app = SharkInterface::GetInstance();
    if (PlayerProfile* profile = app->GetCurrentProfile())
        profile->mGameInProgress = true;
    app->SaveProfiles();
    mChoice = CHOICE_MAIN_MENU;
    mSlideOut->Start(this, 1);
    mDarken->Start(this, 2);
}

void PauseMenu::OnActionFinished(int id)
{
    if (id == 1 && mChoice == CHOICE_RESUME)
        PopGameState(mStack);
    else if (id == 1 && mChoice == CHOICE_OPTIONS)
        OpenOptions();
    else if (id == 2 && mChoice == CHOICE_MAIN_MENU)
        LeaveForMainMenu();
}

void PauseMenu::OpenOptions()
{
    OptionsData* options = SharkInterface::GetInstance()->mOptions.get();
    if (options == nullptr)
    {
        OnUncovered(mStack);
        return;
    }
    auto* screen = new OptionsScreen(options, false);
    screen->Resize(0, 0, 800, 600);
    PushGameState(screen, mStack);
}

void PauseMenu::LeaveForMainMenu()
{
    if (Quib::MusicInterface* music = SharkInterface::GetInstance()->mMusicInterface.get())
        music->FadeOutAllTracks(true, 0.004);
    PopToMainMenu(mStack);
}

void PauseMenu::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    mSlideIn->Update();
    if (mSlideOut->IsRunning())
        mSlideOut->Update();
    mDimIn->Update();
    mDimOut->Update();
    mDarken->Update();
    mDimColor.mAlpha = std::clamp(mDimColor.mAlpha, 0, 255);
}

int PauseMenu::PanelBottom()
{
    return kButtonsTop + 3 * IMAGE_BUTTON_MAIN_MENU->GetHeight() + kPanelBelowButtons;
}

void PauseMenu::Draw(Quib::Graphics* g)
{
    g->SetColor(mDimColor);
    g->FillRect(0, 0, 800, 600);
    // The panel is the players' screens' tall one, cut to fit the three buttons:
    // its top down to under them, then its own bottom edge.
    const int width = IMAGE_GUI_DIALOG->GetWidth(), fullHeight = IMAGE_GUI_DIALOG->GetHeight();
    const int height = std::min(fullHeight, PanelBottom() - kPanelY);
    const int edge = std::min(kPanelEdge, height / 2);
    g->DrawImage(IMAGE_GUI_DIALOG, mPanelX, kPanelY, Quib::Rect(0, 0, width, height - edge));
    g->DrawImage(IMAGE_GUI_DIALOG, mPanelX, kPanelY + height - edge,
                 Quib::Rect(0, fullHeight - edge, width, edge));
    const std::string title = StringTable::GetInstance().Lookup("LBL_PAUSE_SCREEN_NAME");
    DrawShadowedCentred(g, FONT_BUTTON_LABELS, title, IMAGE_GUI_DIALOG->GetWidth() / 2 + mPanelX, 123);
}
