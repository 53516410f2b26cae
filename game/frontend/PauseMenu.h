#pragma once

#include "framework/foundation/Color.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/ScreenBase.h"

#include <memory>

// The scene's in-game menu: it dims the scene, slides a panel with three
// buttons in from the right and offers to resume, to open the options over
// it, or to leave for the main menu with the game kept as in progress.
class PauseMenu : public ScreenBase, public ActionListener
{
public:
    enum Choice
    {
        CHOICE_RESUME = 0,
        CHOICE_OPTIONS = 1,
        CHOICE_MAIN_MENU = 3,
    };

    PauseMenu();
    ~PauseMenu() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    // Where the panel ends on the screen: a margin below its last button.
    static int PanelBottom();

    void OnEntered(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    void OnResumeClicked();
    void OnOptionsClicked();
    void OnMainMenuClicked();

    std::unique_ptr<MenuItem> mResumeButton, mOptionsButton, mMainMenuButton;
    std::unique_ptr<ActionSequence> mSlideIn;
    std::unique_ptr<ParalelAction> mSlideOut;
    std::unique_ptr<ActionSequence> mDimIn, mDimOut, mDarken;
    int mChoice = CHOICE_RESUME;
    int mPanelX = 0;
    Quib::Color mDimColor{0, 0, 0, 0};

private:
    bool IsSliding() const;
    void OpenOptions();
    void LeaveForMainMenu();

    GameStateStack* mStack = nullptr;
};
