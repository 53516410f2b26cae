#pragma once

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "game/frontend/ParticleField.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/LoopAction.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <memory>

namespace Quib
{
class Image;
}

class OptionsData;
class ProfileList;

// The hub the intro leaves the player on and every front-end screen returns
// to: a drifting sky over the estate, a title sliding in from the left, the
// welcome line and six buttons sliding in from the right. A choice slides the
// buttons out first; the screen acts once they are gone. It stays in the
// widget tree while anything covers it and slides back in when uncovered.
class MainMenu : public ScreenBase, public CustomDialogListener, public ActionListener
{
public:
    enum Choice
    {
        CHOICE_BACK = -1,
        CHOICE_OPTIONS = 0,
        CHOICE_PLAY = 1,
        CHOICE_STARTING = 2,
        CHOICE_PUZZLES = 3,
        CHOICE_BONUS = 4,
        CHOICE_PROFILE = 5,
        CHOICE_EXIT = 6,
    };
    enum DialogId
    {
        DIALOG_RESUME = 0,
        DIALOG_NEW_GAME = 1,
        DIALOG_EXIT = 2,
    };

    // Either record may be null while the application holds none: the menu
    // then has no profile and leaves the volumes as they are.
    MainMenu(ProfileList* profiles, OptionsData* options);
    ~MainMenu() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void OnEntered(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;

    void OnDialogClosed(int32_t dialogId, int32_t result) override;
    void OnActionFinished(int id) override;

    void OnPlayClicked();
    void OnOptionsClicked();
    void OnPuzzlesClicked();
    void OnBonusClicked();
    void OnExitClicked();
    void OnProfileClicked();

    bool HasProfile() const;

    ParticleField mParticles;
    std::unique_ptr<MenuItem> mPlayButton, mOptionsButton, mPuzzlesButton, mExitButton, mProfileButton,
        mBonusButton;
    int mTitleX = -400;
    std::unique_ptr<ActionSequence> mFadeToBlack, mFadeFromBlack;
    Quib::Color mFadeColor{0, 0, 0, 0};
    std::unique_ptr<ActionSequence> mSlideIn, mSlideOut;
    std::unique_ptr<ActionSequence> mTitleSlideIn, mTitleSlideOut;
    std::unique_ptr<LoopAction> mFrontCloudLoop, mBackCloudLoop;
    int mBackCloudOffset = 800;
    int mFrontCloudOffset = 800;
    Quib::Rect mFrontCloudSource;
    Quib::Rect mBackCloudSource;
    // Starts at options' value so that an uncover before any choice slides the menu in as a plain return.
    int mChoice = CHOICE_OPTIONS;
    std::unique_ptr<Quib::Image> mMakerLogo, mSecondLogo;

private:
    void BuildButtons();
    void BuildParticles();
    void BuildSequences();
    void Choose(int choice);
    void AskQuestion(const char* textKey, int32_t dialogId);
    void StartGame();
    void OpenProfileSelection();
    void DrawWelcomeLine(Quib::Graphics* g);
    MenuItem* Buttons(int index) const;

    ProfileList* mProfiles;
    OptionsData* mOptions;
    GameStateStack* mStack = nullptr;
};
