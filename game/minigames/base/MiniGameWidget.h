#pragma once

#include "framework/foundation/Color.h"
#include "game/minigames/base/MiniGameParticles.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/CustomDialogListener.h"
#include "game/shell/FocusStopwatches.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ScreenBase.h"
#include "game/shell/Stopwatch.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{
class ResourceManager;
}

class CustomDialog;
class MiniGameOwner;

// Plays a one-shot sound of a game through the game's sound host, if there is one.
void PlayMiniGameSound(int32_t soundId);

// The base of every mini-game: the darkened backdrop that fades in and out,
// Skip, Close, Reset and Help, the help panel on entry, the stopwatch that
// gates Skip, the burst of particles and the end dialog of a solved game, and
// what a solve or a skip does to the scene that launched it.
//
// Once a game dims out, is finishing, was skipped or is solved it takes no
// more input from its buttons, so no dialog can open above a game that is
// leaving; and leaving pops the game itself, with whatever it opened above it.
class MiniGameWidget : public ScreenBase,
                       public CustomDialogListener,
                       public ActionListener,
                       public FocusStopwatches
{
public:
    static constexpr int32_t DIALOG_ID_MINI_GAME_END = 22;
    static constexpr int32_t DIALOG_ID_MINI_GAME_SKIP = 23;

    MiniGameWidget();
    ~MiniGameWidget() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    virtual void Finish();

    void OnEntered(GameStateStack* stack) override;
    void OnLeft(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
    void OnDialogClosed(int32_t dialogId, int32_t result) override;
    void OnActionFinished(int id) override;
    // The skip delay stands still while the window is out of focus.
    void StopStopwatches() override;
    void StartStopwatches() override;

    void OpenHelp();
    void ShowEndDialog(const std::string& text);
    void OnSkipClicked();
    void OnCloseClicked();
    void OnResetClicked() {}
    void MarkSceneMiniGameDone();
    void SetOwnerScene(MiniGameOwner* owner);
    void SetButtonsVisible(bool visible);

    // False once the game dims out, is finishing, was skipped or is solved:
    // its buttons and pieces then ignore the player.
    bool AcceptsInput() const;
    bool IsDimming() const { return mDimIn->IsRunning() || mDimOut->IsRunning(); }
    // The per-update count toward the end dialog of a solved game; it opens on
    // the 16th update after the solve.
    void CountTowardEndDialog();
    // Loads a resource group synchronously and fetches its globals; on failure
    // reports it, raises the shutdown request and returns false.
    static bool LoadGroup(const char* group, bool (*fetch)(Quib::ResourceManager*));
    // Binds the Reset button to the game's own reset.
    void BindReset(std::function<void()> reset);
    // Skip at the left end of the span, Reset at its right end; when Skip is
    // shown and the span is too narrow for the two, they stand side by side
    // centred on it, so that one never lies over the other.
    void PlaceSkipAndReset(int left, int right, int y);

    std::unique_ptr<MenuItem> mSkipButton;
    std::unique_ptr<MenuItem> mCloseButton;
    std::unique_ptr<MenuItem> mResetButton;
    std::unique_ptr<MenuItem> mHelpButton;
    MiniGameOwner* mOwnerPlayfield = nullptr;
    bool mSolved = false;
    bool mEndDialogShown = false;
    int32_t mEndDialogCounter = 0;
    int32_t mEndDialogDelay = 15;
    std::unique_ptr<ActionSequence> mDimIn;
    std::unique_ptr<ActionSequence> mDimOut;
    Quib::Color mDimColour{0, 0, 0, 0};
    int mDimAlpha = 0;
    bool mSkipAllowed = false;
    bool mFinishing = false;
    std::unique_ptr<MiniGameParticles> mParticles;
    Stopwatch mStopwatch;
    std::string mSkipText;
    int32_t mHelpNumber = -1;
    bool mSkipped = false;
    int32_t mSkipDelaySeconds = 40;
    // Whether the game's resource group loaded; a game without it builds no pieces.
    bool mLoaded = true;

protected:
    // Pushes a state above the game, remembering that the game opened it.
    void PushAbove(ScreenBase* state);
    // Pops everything the game opened above it, then the game itself.
    void Leave();
    // Takes off the dialog the game opened, with whatever lies above it.
    void PopOpenDialog();

    GameStateStack* mStack = nullptr;
    CustomDialog* mOpenDialog = nullptr;

private:
    std::unique_ptr<MenuItem> MakeButton(int x, int y, Quib::Image* normal, Quib::Image* over,
                                         Quib::Image* down, const std::string& label,
                                         void (MiniGameWidget::*onClick)());
    std::unique_ptr<ActionSequence> MakeDim(int from, int delta);
    void LayOutSkipAndReset();
    bool mAttached = false;
    int mButtonSpanLeft = 0;
    int mButtonSpanRight = 0;
    int mButtonSpanY = 0;
    // Whether the focus loss stopped the stopwatch, so that regaining the
    // focus does not start one that a help panel or dialog holds stopped.
    bool mStoppedByFocusLoss = false;
};
