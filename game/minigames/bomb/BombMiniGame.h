#pragma once

#include "framework/foundation/Rect.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/bomb/BombPieces.h"
#include "game/minigames/bomb/BombState.h"
#include "game/shell/LoopAction.h"
#include "game/shell/RelIncrementator.h"

#include <memory>

// The finale's time bomb: four wires to cut with the pliers and a screw to
// undo with the screwdriver before a two-minute countdown runs out. A time-out
// flashes the screen white, asks to try again and starts the bomb afresh. Of
// the base it uses only the end dialog and the Close button.
class BombMiniGame : public MiniGameWidget
{
public:
    static constexpr int32_t DIALOG_ID_BOMB_TRY_AGAIN = 11;
    static constexpr int BOMB_ACTION_TIME_OUT = 20;
    static constexpr int BOMB_ACTION_RESTART = 21;

    BombMiniGame();
    ~BombMiniGame() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    // Covering dialogs neither pause nor hide anything.
    void OnCovered(GameStateStack*) override {}
    void OnUncovered(GameStateStack*) override {}
    void OnDialogClosed(int32_t dialogId, int32_t result) override;
    void OnActionFinished(int id) override;

    // (x, y): where in the tool it was taken.
    void ClickTool(int kind, BombState::Button button, int x, int y);
    void ClickWire(int wire, BombState::Button button);
    void ClickScrew();
    void ToggleScheme();
    void OnCloseClicked();
    // A flash runs: the tools take no clicks.
    bool IsBusy() const;

    std::unique_ptr<BombState> mState;
    std::unique_ptr<LoopAction> mCogCellLoop;
    std::unique_ptr<LoopAction> mCogLoop;
    std::unique_ptr<RelIncrementator<float>> mContactTurn;
    std::unique_ptr<ActionSequence> mTimeOutFlash;
    std::unique_ptr<ActionSequence> mRestartFlash;
    int mCogCell = 0;
    float mCogAngle = 0;
    float mContactAngle = 0;
    std::unique_ptr<BombWire> mWire1;
    std::unique_ptr<BombWire> mWire2;
    std::unique_ptr<BombWire> mWire3;
    std::unique_ptr<BombWire> mWire4;
    // Real time, as the countdown runs on it; it runs exactly while the
    // bomb's countdown does and hands the model what passed.
    Stopwatch mCountdown;
    int32_t mCountdownSeen = 0;
    std::unique_ptr<BombTool> mPliers;
    std::unique_ptr<BombTool> mScrewdriver;
    Quib::Image* mHeldToolPicture = nullptr;
    float mHeldToolX = 0;
    float mHeldToolY = 0;
    float mGrabX = 0;
    float mGrabY = 0;
    std::unique_ptr<BombScrewdriverPlace> mScrew;
    std::unique_ptr<BombShemeScreen> mScheme;
    bool mTimedOut = false;
    int mFlashAlpha = 0;
    Quib::Rect mToolTray{460, 380, 300, 180};

private:
    // The held tool's picture and the pointer follow the model after a click.
    void FollowHeldTool();
    void RunCountdown();
    void TimeOut();
    void ShowTryAgainDialog();
    void PlaceScheme();
    void SetPointer(Quib::Image* picture);
    void DrawTurned(Quib::Graphics* g, Quib::Image* picture, float angle, int x, int y);
    void DrawCountdown(Quib::Graphics* g);
    Quib::WidgetManager* mManager = nullptr;
};
