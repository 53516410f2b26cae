#pragma once

#include "game/records/HighScoreEntry.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"

#include <memory>

class HighScoreList;

// The table of the ten best play times, with a close and a reset button.
// Opened from the options it is a plain viewer; at the end of the game it
// first tells the player whether their play time earns a place and enters it
// when it does, and closing it starts a new game and shows the credits.
class ScoresScreen : public ScreenBase, public ActionListener, public CustomDialogListener
{
public:
    enum DialogId
    {
        DIALOG_RESET = 0,
        DIALOG_QUALIFIES = 1,
        DIALOG_QUALIFIES_NOT = 2,
    };

    explicit ScoresScreen(bool endOfGame);
    ~ScoresScreen() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void OnEntered(GameStateStack* stack) override;
    // The screen stays in the widget tree under its dialogs: were it taken out
    // and put back, its slide-in would run again and ask the qualification
    // question once more after every answer.
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;

    void OnActionFinished(int id) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;

    void OnCloseClicked();
    void OnResetClicked();
    void CheckQualification();

    int mPanelX = 800;
    int mTableY = 50;
    std::unique_ptr<ActionSequence> mSlideIn, mSlideOut;
    std::unique_ptr<MenuItem> mCloseButton, mResetButton;
    HighScoreList* mScores;
    int mRowCount;
    bool mEndOfGame;
    std::unique_ptr<HighScoreEntry> mNewEntry;

private:
    void PushDialog(const std::string& text, int32_t dialogId, int32_t buttons);
    // The finished game recorded: the player's profile starts afresh and the galleries open for good.
    void RecordFinishedGame();
    void FinishGame();

    GameStateStack* mStack = nullptr;
};
